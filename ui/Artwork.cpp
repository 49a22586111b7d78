#include "ui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace talvero {

namespace {

// A compact disc filling `area`: rainbow sheen on silver, a clear hub and a centre hole.
void DrawDisc(QPainter& p, const QRectF& area)
{
    const QPointF centre = area.center();
    const double radius = area.width() / 2.0;
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(214, 220, 228));
    sheen.setColorAt(0.12, QColor(255, 236, 170));
    sheen.setColorAt(0.22, QColor(196, 240, 200));
    sheen.setColorAt(0.32, QColor(178, 214, 255));
    sheen.setColorAt(0.45, QColor(232, 200, 255));
    sheen.setColorAt(0.55, QColor(214, 220, 228));
    sheen.setColorAt(0.68, QColor(255, 220, 190));
    sheen.setColorAt(0.80, QColor(190, 236, 246));
    sheen.setColorAt(1.00, QColor(214, 220, 228));
    p.setPen(QPen(QColor(120, 126, 140), radius / 40.0));
    p.setBrush(sheen);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(236, 238, 242, 220));
    p.setPen(QPen(QColor(150, 156, 170), radius / 60.0));
    p.drawEllipse(centre, radius * 0.30, radius * 0.30);
    p.setBrush(QColor(40, 44, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, radius * 0.11, radius * 0.11);
}

}  // namespace

QPixmap StartupPicture()
{
    QPixmap picture(225, 225);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 225);
    sky.setColorAt(0, QColor(22, 30, 64));
    sky.setColorAt(1, QColor(8, 10, 24));
    p.fillRect(picture.rect(), sky);

    DrawDisc(p, QRectF(38, 52, 150, 150));

    // The "CD32" lettering over the disc, in the colours of a console label.
    QFont font(QStringLiteral("DejaVu Sans"), 30, QFont::Black);
    font.setItalic(true);
    p.setFont(font);
    const QRectF title(0, 6, 225, 48);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(title.translated(2, 2), Qt::AlignCenter, QStringLiteral("CD32"));
    QLinearGradient gold(0, 8, 0, 50);
    gold.setColorAt(0, QColor(255, 230, 120));
    gold.setColorAt(1, QColor(230, 120, 30));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(title, Qt::AlignCenter, QStringLiteral("CD32"));

    QFont small(QStringLiteral("DejaVu Sans"), 8);
    p.setFont(small);
    p.setPen(QColor(180, 190, 220));
    p.drawText(QRectF(0, 205, 225, 18), Qt::AlignCenter, QStringLiteral("Select a game to start"));
    return picture;
}

QImage IconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawDisc(p, QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    if (size >= 32) {
        QFont font(QStringLiteral("DejaVu Sans"), size / 5, QFont::Black);
        p.setFont(font);
        p.setPen(QColor(200, 60, 20));
        p.drawText(QRectF(0, 0, size, size * 0.42), Qt::AlignCenter, QStringLiteral("CD32"));
    }
    return image;
}

QIcon WindowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(IconImage(size)));
    return icon;
}

}  // namespace talvero
