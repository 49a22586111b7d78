#pragma once

#include <QRect>

namespace talvero {

/// Window layouts are given in twips (15 twips = 1 pixel at 96 dpi), scaled with the screen's
/// logical dpi.
int Twips(int twips);
QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);

}  // namespace talvero
