#include "help/frmHelp1.h"

#include "help/JoypadPicture.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace talvero {

frmHelp1::frmHelp1()
    : HelpWindow("frmHelp1", QSize(5655, 5235), QRect(60, 0, 5535, 5175), QRect(3840, 4740, 1575, 315))
{
    auto* image1 = new QLabel(Frame());
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(TwipsRect(105, 225, 5310, 3195));
    image1->setFrameShape(QFrame::Box);
    image1->setAlignment(Qt::AlignCenter);
    image1->setPixmap(JoypadPicture());

    auto* label1 = new QLabel(Frame());
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(TwipsRect(120, 3480, 675, 195));
    auto* label2 = new QLabel(Frame());
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(TwipsRect(780, 3480, 4635, 1215));
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* label3 = new QLabel(QStringLiteral("Joypad-Emulation (FakePad) \u00A9 1999 its author"), Frame());
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(TwipsRect(120, 4860, 3270, 195));
    WidenToFit(label3, 3840 - 120 - 60);

    // Form_Load
    setWindowTitle(QStringLiteral("Help: Joypad-Emulation"));
    CloseButton()->setText(QStringLiteral("Close"));
    label1->setText(QStringLiteral("Note:"));
    label2->setText(HelpText());
}

QString frmHelp1::HelpText()
{
    return QStringLiteral("The joypad emulation is only available for games, that can't be ") +
           QStringLiteral("played without a joypad. Some games like 'Gloom' or 'Roadkill' are ") +
           QStringLiteral("incompatible to the joypad emulation. You have to set the controller ") +
           QStringLiteral("to 'Joystick' (inside the game) to play these games.");
}

}  // namespace talvero
