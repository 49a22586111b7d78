#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace talvero {

/// The 225 x 225 title picture shown until a game is selected: a compact disc with "CD32".
QPixmap StartupPicture();

/// The program's icon at one size: the disc, labelled "CD32" from 32 pixels up.
QImage IconImage(int size);

/// The window icon: the program's icon at 16, 32 and 48 pixels.
QIcon WindowIcon();

}  // namespace talvero
