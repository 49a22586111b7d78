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
        window->show();  // polished, with its style sheets' fonts
        QStringList clipped;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            // A label needs its size hint's width (a wrapped one its height for its width); a button
            // the text's width beside its indicator or inside its frame (its size hint adds more).
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
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
                needed = QSize(button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width(), 0);
            }
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (widget->isVisibleTo(window) && !text.isEmpty() &&
                (needed.width() > room.width() || needed.height() > room.height() ||
                 widget->geometry().right() >= widget->parentWidget()->width()))
                clipped << widget->objectName() + " \"" + text + "\"";
        }
        EXPECT_EQ(QStringList(), clipped) << window->objectName() << " at " << window->logicalDpiX()
                                          << " dpi, scale " << window->devicePixelRatio();
    }
}

}  // namespace
}  // namespace talvero
