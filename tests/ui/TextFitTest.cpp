// Every caption, label and button text of every window fits its control, at whatever dpi or
// scale factor the test runs with (ctest runs it at 96 dpi, at 120 dpi and at scale factor 2).
#include "config/frmOptions.h"
#include "help/frmComp.h"
#include "help/frmHelp1.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <optional>

namespace talvero {
namespace {

// The room a control gives its text and the size the text needs, in pixels.
struct TextRoom {
    QString text;
    QRect room;
    QSize needed;
};

std::optional<TextRoom> RoomOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return std::nullopt;
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QSize needed = QFontMetrics(label->font())
                                 .boundingRect(QRect(0, 0, room.width(), 10000), wrap, label->text())
                                 .size();
        return TextRoom{label->text(), room, needed};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return std::nullopt;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        // Check boxes and option buttons draw their text beside the indicator.
        const QStyle::SubElement contents = qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                            : qobject_cast<QRadioButton*>(button)
                                                ? QStyle::SE_RadioButtonContents
                                                : QStyle::SE_PushButtonContents;
        const QRect room = button->style()->subElementRect(contents, &option, button);
        return TextRoom{button->text(), room,
                        QFontMetrics(button->font()).size(Qt::TextShowMnemonic, button->text())};
    }
    return std::nullopt;
}

// "Window/Control "text": needs W x H, has W x H" for every text that does not fit, within its
// control and within the control's container.
QStringList ClippedTexts(QWidget* window)
{
    QStringList clipped;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const auto text = RoomOf(widget);
        if (!widget->isVisibleTo(window) || !text)
            continue;
        const bool wrapped = qobject_cast<QLabel*>(widget) && qobject_cast<QLabel*>(widget)->wordWrap();
        const bool fits = text->needed.width() <= text->room.width() &&
                          (!wrapped || text->needed.height() <= text->room.height()) &&
                          widget->geometry().right() < widget->parentWidget()->width();
        if (!fits)
            clipped << QStringLiteral("%1/%2 \"%3\": needs %4 x %5, has %6 x %7 at x %8 in %9")
                           .arg(window->objectName(), widget->objectName(), text->text)
                           .arg(text->needed.width())
                           .arg(text->needed.height())
                           .arg(text->room.width())
                           .arg(text->room.height())
                           .arg(widget->x())
                           .arg(widget->parentWidget()->width());
    }
    return clipped;
}

class TextFitTest : public test::GuiTest {};

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
        EXPECT_EQ(QStringList(), ClippedTexts(window))
            << "at " << window->logicalDpiX() << " dpi, scale " << window->devicePixelRatio();
        window->hide();
    }
}

}  // namespace
}  // namespace talvero
