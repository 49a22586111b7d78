#pragma once

#include <QPixmap>

namespace talvero {

/// A 350 x 209 drawing of a CD32 joypad whose buttons are labelled with the keys that stand for
/// them in the joypad emulation.
QPixmap JoypadPicture();

}  // namespace talvero
