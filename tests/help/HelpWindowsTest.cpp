// The joypad help and the compatibility chart, with their watchdog.
#include "help/CompatibilityChart.h"
#include "help/Watchdog.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"
#include "ui/Artwork.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace talvero {
namespace {

using test::Props;
using test::WaitUntil;

// The check states of the named boxes: 0 empty, 1 grey, 2 ticked.
QString Marks(QWidget* chart, const QString& names)
{
    QStringList marks;
    for (const QString& name : names.split(' '))
        marks << QString::number(test::Child<QCheckBox>(chart, name.toLatin1().constData())->checkState());
    return marks.join('|');
}

class HelpWindowsTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        ASSERT_TRUE(StartMainWindow());
    }
    QWidget* OpenJoypadHelp()
    {
        Action("Hilfe1")->trigger();
        return Windows().joypadHelp;
    }
    QWidget* OpenChart()
    {
        Action("Hilfe2")->trigger();
        return Windows().compatibility;
    }
    static bool HelpClosed() { return !Windows().joypadHelp && !Windows().compatibility; }
};

TEST_F(HelpWindowsTest, TheJoypadHelpShowsItsTextsAndEveryWindowTheProgramsIcon)
{
    QWidget* help = OpenJoypadHelp();
    ASSERT_TRUE(help);
    EXPECT_EQ("Help: Joypad-Emulation", help->windowTitle());
    EXPECT_FALSE(help->parentWidget() || (help->windowFlags() & Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(QString::fromUtf8(
                  "Note:|The joypad emulation is only available for games, that can't be played "
                  "without a joypad. Some games like 'Gloom' or 'Roadkill' are incompatible to the "
                  "joypad emulation. You have to set the controller to 'Joystick' (inside the game) "
                  "to play these games.|Joypad-Emulation (FakePad) \u00A9 1999 its author|Close|true"),
              Props(help, "text", "Label1 Label2 Label3 Command1") + "|" +
                  Props(help, "default", "Command1"));
    EXPECT_EQ(QSize(350, 209), test::Child<QLabel>(help, "Image1")->pixmap().size());
    EXPECT_EQ("3000|true", Props(help, "interval", "Timer1") + "|" + Props(help, "active", "Timer1"));

    const QImage icon = WindowIcon().pixmap(32).toImage();
    frmNVRAM nvram(nullptr);
    for (QWidget* window :
         {static_cast<QWidget*>(mainWindow.get()), help, OpenChart(), static_cast<QWidget*>(&nvram)})
        EXPECT_EQ(icon, window->windowIcon().pixmap(32).toImage()) << window->objectName().toStdString();
}

// A click toggles a box between ticked and empty, never back to grey, until the chart is reopened.
TEST_F(HelpWindowsTest, TheChartShowsEveryRowAndItsBoxesTakeClicks)
{
    QWidget* chart = OpenChart();
    ASSERT_TRUE(chart);
    EXPECT_EQ("Help: Compatibility", chart->windowTitle());
    EXPECT_EQ(nullptr, chart->parentWidget());
    EXPECT_EQ("Game|Note|= not tested", Props(chart, "text", "Label22 Label2 Label47"));
    const char* states[] = {"0", "2", "1"};  // empty, ticked, grey
    const auto rows = CompatibilityChart();
    ASSERT_EQ(30u, rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString n = QString::number(i + 1);
        EXPECT_EQ(QString::fromStdString(rows[i].title + "|" + rows[i].note),
                  Props(chart, "text", "Game" + n + " Note" + n));
        EXPECT_EQ(QString(states[int(rows[i].joypad)]) + "|" + states[int(rows[i].nvram)],
                  Marks(chart, "Joypad" + n + " NVRAM" + n));
    }
    EXPECT_EQ(nullptr, chart->findChild<QCheckBox*>("Joypad31"));
    for (const char* name : {"NVRAM2", "NVRAM11"}) {  // empty and grey
        QString marks;
        for (int click = 0; click < 3; ++click) {
            QTest::mouseClick(test::Child(chart, name), Qt::LeftButton, {}, QPoint(5, 5));
            marks += Marks(chart, name);
        }
        EXPECT_EQ("202", marks) << name;
    }
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([] { return !Windows().compatibility; }));
    EXPECT_EQ("0|1", Marks(OpenChart(), "NVRAM2 NVRAM11"));
}

TEST_F(HelpWindowsTest, EnterEscCloseAndTheShutdownCloseAndTheMenuShowsTheOpenWindowAgain)
{
    QWidget* help = OpenJoypadHelp();
    EXPECT_EQ(help, OpenJoypadHelp());
    QTest::keyClick(help, Qt::Key_Return);
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp; }));
    QTest::keyClick(test::Child(OpenJoypadHelp(), "Command1"), Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp; }));
    QTest::mouseClick(test::Child(OpenChart(), "Command1"), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([] { return !Windows().compatibility; }));
    OpenJoypadHelp();
    OpenChart();
    Action("Programm2")->trigger();
    EXPECT_TRUE(WaitUntil(HelpClosed));
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ(0, host->endProgramRequests);
}

TEST_F(HelpWindowsTest, TheWatchdogEndsTheProgramWithoutTheShutdownOnlyOnceTheMainWindowHasGone)
{
    const std::string configBefore = Config();
    OpenJoypadHelp();
    OpenChart();
    for (int tick = 0; tick < 5; ++tick)
        WatchdogTick();
    EXPECT_EQ(0, host->endProgramRequests);
    mainWindow->close();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_FALSE(HelpClosed());
    // The real timer, not a direct call: within about three seconds.
    EXPECT_TRUE(WaitUntil([this] { return host->endProgramRequests > 0; }, 6000));
    EXPECT_TRUE(WaitUntil(HelpClosed));
    EXPECT_EQ(configBefore, Config()) << "the watchdog's end must not run the shutdown";
}

TEST_F(HelpWindowsTest, TheMainWindowsKeysDoNothingInAHelpWindow)
{
    QStringList opened;
    QTimer modalWatch;  // a modal dialog opened by mistake must not hang the test
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << modal->objectName();
            modal->close();
        }
    });
    modalWatch.start(5);
    const auto press = [](QWidget* window, Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, Qt::ControlModifier);
    };
    for (QPointer<QWidget> help : {OpenJoypadHelp(), OpenChart()}) {
        for (Qt::Key key : {Qt::Key_F, Qt::Key_J, Qt::Key_O, Qt::Key_N, Qt::Key_Q})
            press(help, key);
        QTest::qWait(20);
        EXPECT_TRUE(opened.isEmpty()) << opened.join(' ').toStdString();
        ASSERT_TRUE(help && help->isVisible() && mainWindow->isVisible());
        EXPECT_EQ("true|false", Props(mainWindow.get(), "checked", "Frameskip JITComp"));
    }
    // In the main window itself the same keys act.
    press(mainWindow.get(), Qt::Key_F);
    EXPECT_EQ("false", Props(mainWindow.get(), "checked", "Frameskip"));
    press(mainWindow.get(), Qt::Key_N);
    EXPECT_TRUE(WaitUntil([&] { return opened == QStringList{"frmNVRAM"}; }));
}

}  // namespace
}  // namespace talvero
