#include "demo/DemoPreviews.h"

#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace talvero {

bool WriteTitleCard(const std::string& title, const std::string& path)
{
    QImage card(240, 240, QImage::Format_RGB32);
    const uint hash = qHash(QString::fromStdString(title));
    const QColor base = QColor::fromHsv(static_cast<int>(hash % 360), 150, 120);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 240, 240);
    background.setColorAt(0, base.lighter(150));
    background.setColorAt(1, base.darker(200));
    p.fillRect(card.rect(), background);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(200, 200), 30.0 + i * 24, 30.0 + i * 24);

    QFont font(QStringLiteral("DejaVu Sans"), 17, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(14, 40, 212, 130), Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(title));
    QFont small(QStringLiteral("DejaVu Sans"), 8);
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(0, 212, 240, 20), Qt::AlignCenter, QStringLiteral("placeholder title card"));
    p.end();
    return card.save(QString::fromStdString(path), "JPG", 88);
}

void WriteAllTitleCards(ExistingDemoFiles existing)
{
    const std::string folder = AppPath("\\Previews");
    CreateFolderIfMissing(folder);
    for (const GameProfile& profile : GameProfiles()) {
        const std::string card = JoinPath(folder, profile.title + ".jpg");
        if (existing == ExistingDemoFiles::Replace || !EntryExists(card))
            WriteTitleCard(profile.title, card);
    }
}

}  // namespace talvero
