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
#include <QStyle>
#include <QStyleOptionButton>

namespace talvero {
namespace {

// "Control "text" needs W x H, has W x H" for a text that does not fit its control, or a control
// that does not fit its container; "" otherwise.
QString Clipped(QWidget* widget)
{
    QString text;
    QRect room;
    QSize needed;
    bool wrapped = false;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const int margin = label->margin();
        text = label->text();
        room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        wrapped = label->wordWrap();
        needed = label->fontMetrics()
                     .boundingRect(QRect(0, 0, room.width(), 10000), wrapped ? Qt::TextWordWrap : 0, text)
                     .size();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text = button->text();
        // Check boxes and option buttons draw their text beside the indicator.
        const auto contents = qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                              : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                    : QStyle::SE_PushButtonContents;
        room = button->style()->subElementRect(contents, &option, button);
        needed = button->fontMetrics().size(Qt::TextShowMnemonic, text);
    }
    const bool fits = needed.width() <= room.width() && (!wrapped || needed.height() <= room.height()) &&
                      widget->geometry().right() < widget->parentWidget()->width();
    if (text.isEmpty() || fits)
        return {};
    return QStringLiteral("%1 \"%2\" needs %3 x %4, has %5 x %6 at x %7 in %8")
        .arg(widget->objectName(), text, QString::number(needed.width()), QString::number(needed.height()),
             QString::number(room.width()), QString::number(room.height()), QString::number(widget->x()),
             QString::number(widget->parentWidget()->width()));
}

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
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QStringList clipped;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->isVisibleTo(window) && !Clipped(widget).isEmpty())
                clipped << Clipped(widget);
        }
        EXPECT_EQ(QStringList(), clipped)
            << window->objectName().toStdString() << " at " << window->logicalDpiX() << " dpi, scale "
            << window->devicePixelRatio();
        window->hide();
    }
}

}  // namespace
}  // namespace talvero
