#pragma once

#include <QFont>
#include <QRect>

class QWidget;

#include <QString>

namespace talvero {

/// Window layouts are given in twips (15 twips = 1 pixel at 96 dpi), scaled with the screen's
/// logical dpi.
int Twips(int twips);
QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);

/// Widens a widget to show its whole text when the font needs more room than the layout gave,
/// but never past `maxTwips` (where the next control begins).
void WidenToFit(QWidget* widget, int maxTwips);

/// Names a new child control and places it at its layout position.
template <typename Widget>
Widget* PlaceChild(Widget* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

/// The small dialog font the layouts are measured for (Arial metrics, 8 point).
QFont DialogFont();

}  // namespace talvero
