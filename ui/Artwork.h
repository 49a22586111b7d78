#pragma once

#include <QIcon>
#include <QPixmap>

namespace talvero {

/// The 225 x 225 title picture shown until a game is selected: a compact disc with "CD32".
QPixmap StartupPicture();

/// The window icon: the same disc, small.
QIcon WindowIcon();

}  // namespace talvero
