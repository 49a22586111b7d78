// The joypad help and the compatibility chart, with their watchdog (the chart's rows are placed from
// its table by a plain loop; TextFitTest shows that their texts fit).
#include "help/Watchdog.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

namespace talvero {
namespace {

using HelpWindowsTest = test::GuiTest;

TEST_F(HelpWindowsTest, TheHelpWindowsTheirWaysToCloseAndTheWatchdog)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    const auto Open = [this](const char* entry) {  // Hilfe1 the joypad help, Hilfe2 the chart
        Action(entry)->trigger();
        return entry == std::string("Hilfe1") ? Windows().joypadHelp : Windows().compatibility;
    };
    const auto HelpClosed = [] { return !Windows().joypadHelp && !Windows().compatibility; };
    QWidget* help = Open("Hilfe1");
    ASSERT_TRUE(help);
    EXPECT_EQ("Help: Joypad-Emulation", help->windowTitle());
    QWidget* chart = Open("Hilfe2");
    EXPECT_EQ("Help: Compatibility", chart->windowTitle());
    // Close closes; the menu shows the open window again.
    EXPECT_EQ(help, Open("Hilfe1"));
    ClickOn(help, "Command1");
    ClickOn(chart, "Command1");
    EXPECT_TRUE(QTest::qWaitFor(HelpClosed));
    // The watchdog ends the program, without the shutdown, only once the main window has gone.
    const std::string configBefore = Config();
    Open("Hilfe1");
    Open("Hilfe2");
    WatchdogTick();
    EXPECT_EQ(0, host->endProgramRequests);
    mainWindow->close();
    EXPECT_FALSE(HelpClosed());
    // The real timer, not a direct call: within about three seconds.
    EXPECT_TRUE(QTest::qWaitFor([this] { return host->endProgramRequests > 0; }, 6000));
    EXPECT_TRUE(QTest::qWaitFor(HelpClosed));
    EXPECT_EQ(configBefore, Config()) << "the watchdog's end must not run the shutdown";
}

}  // namespace
}  // namespace talvero
