// The joypad help and the compatibility chart, with their watchdog.
#include "help/CompatibilityChart.h"
#include "help/Watchdog.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

#include <QCheckBox>

namespace talvero {
namespace {

using HelpWindowsTest = test::GuiTest;

TEST_F(HelpWindowsTest, TheHelpWindowsTheChartsRowsWaysToCloseAndTheWatchdog)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    const auto Open = [this](const char* entry) {  // Hilfe1 the joypad help, Hilfe2 the chart
        Action(entry)->trigger();
        return entry == std::string("Hilfe1") ? Windows().joypadHelp : Windows().compatibility;
    };
    // The chart's mark: 0 empty, 1 ticked, 2 grey (not tested).
    const auto Mark = [](QWidget* chart, const QString& name) {
        return "021"[Child<QCheckBox>(chart, name)->checkState()] - '0';
    };
    const auto Text = [](QWidget* window, const QString& name) {
        return Child<QObject>(window, name)->property("text").toString().toStdString();
    };
    const auto HelpClosed = [] { return !Windows().joypadHelp && !Windows().compatibility; };
    QWidget* help = Open("Hilfe1");
    ASSERT_TRUE(help);
    EXPECT_EQ("Help: Joypad-Emulation", help->windowTitle());
    QWidget* chart = Open("Hilfe2");
    EXPECT_EQ("Help: Compatibility", chart->windowTitle());
    // The chart shows each row of its table.
    const auto rows = CompatibilityChart();
    for (std::size_t n = 1; n <= rows.size(); ++n) {
        const ChartRow& row = rows[n - 1];
        const QString i = QString::number(n);
        EXPECT_EQ(row.title, Text(chart, "Game" + i));
        EXPECT_EQ(row.note, Text(chart, "Note" + i));
        EXPECT_EQ(int(row.joypad), Mark(chart, "Joypad" + i)) << row.title;
        EXPECT_EQ(int(row.nvram), Mark(chart, "NVRAM" + i)) << row.title;
    }
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
