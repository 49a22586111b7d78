// Every caption, label and button text of every window fits its control, at whatever dpi or
// scale factor the test runs with (ctest runs it at 96 dpi, at 120 dpi and at scale factor 2).
#include "config/frmOptions.h"
#include "help/frmComp.h"
#include "help/frmHelp1.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace talvero {
namespace {

using TextFitTest = test::GuiTest;

TEST_F(TextFitTest, NoTextOfAnyWindowIsClipped)
{
    ASSERT_TRUE(StartMainWindow());
    frmOptions options(mainWindow.get());
    frmNVRAM nvram(mainWindow.get());
    frmHelp1 joypadHelp;
    frmComp chart;
    for (QWidget* window :
         std::initializer_list<QWidget*>{mainWindow.get(), &options, &nvram, &joypadHelp, &chart}) {
        window->show();
        QStringList clipped;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            // What the text needs against what the control gives it: a wrapped label its height, a
            // button the room beside its indicator or inside its frame (its size hint adds more).
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            const QString text = label ? label->text() : button ? button->text() : QString();
            QSize needed(widget->sizeHint().width(), 0), room = widget->size();
            if (label && label->wordWrap())
                needed = QSize(0, label->heightForWidth(room.width()));
            if (button) {
                QStyleOptionButton option;
                option.initFrom(button);
                const auto contents = qobject_cast<const QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                      : qobject_cast<const QRadioButton*>(button)
                                          ? QStyle::SE_RadioButtonContents
                                          : QStyle::SE_PushButtonContents;
                room = button->style()->subElementRect(contents, &option, button).size();
                needed = QSize(button->fontMetrics().size(Qt::TextShowMnemonic, text).width(), 0);
            }
            if (widget->isVisibleTo(window) && !text.isEmpty() &&
                (needed.width() > room.width() || needed.height() > room.height() ||
                 widget->geometry().right() >= widget->parentWidget()->width()))
                clipped << QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                               .arg(widget->objectName(), text)
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(room.width())
                               .arg(room.height());
        }
        EXPECT_EQ(QStringList(), clipped) << window->objectName() << " at " << window->logicalDpiX()
                                          << " dpi, scale " << window->devicePixelRatio();
        window->hide();
    }
}

}  // namespace
}  // namespace talvero
