#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace talvero {

int Twips(int twips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<int>(std::lround(twips / 15.0 * dpi / 96.0));
}

QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

QSize TwipsSize(int width, int height)
{
    return QSize(Twips(width), Twips(height));
}

}  // namespace talvero

namespace talvero {

void WidenToFit(QWidget* widget, int maxTwips)
{
    const int wanted = qMax(widget->width(), widget->sizeHint().width());
    widget->resize(qMin(wanted, Twips(maxTwips)), widget->height());
}

QFont DialogFont()
{
    // Liberation Sans has Arial's metrics, so the layouts fit where only Arial is installed
    // (Windows) as they do where Liberation Sans is.
    QFont::insertSubstitution(QStringLiteral("Liberation Sans"), QStringLiteral("Arial"));
    QFont font(QStringLiteral("Liberation Sans"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace talvero
