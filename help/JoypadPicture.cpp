#include "help/JoypadPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace talvero {

namespace {

const QColor kLabelRed(196, 30, 36);

// A red key label with white lettering and a line to the button it names.
void Label(QPainter& p, const QRectF& box, const QString& key, const QPointF& button)
{
    const QPointF anchor(qBound(box.left(), button.x(), box.right()),
                         button.y() < box.top() ? box.top() : box.bottom());
    p.setPen(QPen(kLabelRed, 1.6));
    p.drawLine(anchor, button);
    p.setBrush(kLabelRed);
    p.drawEllipse(button, 2.2, 2.2);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(box, 4, 4);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"), 9, QFont::Bold);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, key);
}

void Button(QPainter& p, const QPointF& centre, double radius, const QColor& colour)
{
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour.darker(130));
    p.setPen(QPen(colour.darker(170), 1));
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

}  // namespace

QPixmap JoypadPicture()
{
    QPixmap picture(350, 209);
    picture.fill(QColor(226, 228, 230));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QFont heading(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    p.setFont(heading);
    p.setPen(QColor(24, 128, 56));
    p.drawText(QRectF(0, 4, 350, 20), Qt::AlignCenter, QStringLiteral("Keys for the joypad emulation"));

    // The pad: a wide rounded body with two grips.
    QPainterPath body;
    body.addRoundedRect(QRectF(62, 62, 226, 92), 40, 40);
    QPainterPath leftGrip;
    leftGrip.addEllipse(QRectF(56, 84, 92, 96));
    QPainterPath rightGrip;
    rightGrip.addEllipse(QRectF(202, 84, 92, 96));
    const QPainterPath pad = body.united(leftGrip).united(rightGrip);
    QLinearGradient grey(0, 60, 0, 180);
    grey.setColorAt(0, QColor(128, 130, 136));
    grey.setColorAt(1, QColor(70, 72, 78));

    // Shoulder buttons behind the body.
    p.setPen(QPen(QColor(40, 40, 44), 1));
    p.setBrush(QColor(96, 98, 104));
    p.drawRoundedRect(QRectF(78, 52, 58, 18), 7, 7);
    p.drawRoundedRect(QRectF(214, 52, 58, 18), 7, 7);

    p.setPen(QPen(QColor(40, 40, 44), 1.5));
    p.setBrush(grey);
    p.drawPath(pad);

    // Direction pad (no key of its own).
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 36, 40));
    p.drawRoundedRect(QRectF(88, 98, 50, 16), 3, 3);
    p.drawRoundedRect(QRectF(105, 81, 16, 50), 3, 3);

    // Play/pause in the middle, the four coloured buttons on the right.
    p.setBrush(QColor(36, 36, 40));
    p.drawRoundedRect(QRectF(163, 100, 24, 10), 5, 5);
    const QPointF yellow(229, 96), green(255, 96), blue(229, 124), red(255, 124);
    Button(p, yellow, 10, QColor(236, 196, 36));
    Button(p, green, 10, QColor(48, 160, 72));
    Button(p, blue, 10, QColor(44, 92, 196));
    Button(p, red, 10, QColor(206, 40, 40));

    Label(p, QRectF(60, 28, 40, 17), QStringLiteral("F5"), QPointF(100, 56));
    Label(p, QRectF(278, 28, 40, 17), QStringLiteral("F6"), QPointF(252, 56));
    Label(p, QRectF(184, 28, 40, 17), QStringLiteral("F3"), yellow);
    Label(p, QRectF(300, 86, 40, 17), QStringLiteral("F2"), green);
    Label(p, QRectF(134, 186, 40, 17), QStringLiteral("F4"), QPointF(175, 105));
    Label(p, QRectF(196, 186, 40, 17), QStringLiteral("F1"), blue);
    Label(p, QRectF(272, 186, 50, 17), QStringLiteral("Fire"), red);
    return picture;
}

}  // namespace talvero
