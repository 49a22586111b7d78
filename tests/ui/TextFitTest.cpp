// Every caption, label and button text of every window fits its control, at whatever dpi or
// scale factor the test runs with (ctest runs it at 96 dpi, at 120 dpi and at scale factor 2).
#include "config/frmOptions.h"
#include "help/frmComp.h"
#include "help/frmHelp1.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

#include <QAbstractButton>
#include <QLabel>
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
            // A label needs its size hint's width, or its height for its width when it wraps; a
            // button its text's width beside its indicator or inside its frame.
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            const QString text = label ? label->text() : button ? button->text() : QString();
            QStyleOptionButton option;
            option.initFrom(widget);
            const auto kind = widget->inherits("QCheckBox")      ? QStyle::SE_CheckBoxContents
                              : widget->inherits("QRadioButton") ? QStyle::SE_RadioButtonContents
                                                                 : QStyle::SE_PushButtonContents;
            const int room =
                button ? widget->style()->subElementRect(kind, &option, widget).width() : widget->width();
            const int needed = button ? widget->fontMetrics().size(Qt::TextShowMnemonic, text).width()
                               : label && !label->wordWrap() ? widget->sizeHint().width()
                                                             : 0;
            if (!text.isEmpty() && widget->isVisibleTo(window) &&
                (needed > room || (label && label->heightForWidth(room) > widget->height()) ||
                 widget->geometry().right() >= widget->parentWidget()->width()))
                clipped << widget->objectName() + " \"" + text + "\"";
        }
        EXPECT_EQ(QStringList(), clipped)
            << window->objectName().toStdString() << " at " << window->logicalDpiX() << " dpi, scale "
            << window->devicePixelRatio();
    }
}

}  // namespace
}  // namespace talvero
