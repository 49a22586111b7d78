// The joypad help and the compatibility chart, with their watchdog.
#include "app/CdImageChoice.h"
#include "help/CompatibilityChart.h"
#include "help/Watchdog.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

#include <QCheckBox>

namespace talvero {
namespace {

using HelpWindowsTest = test::GuiTest;

TEST_F(HelpWindowsTest, TheHelpWindowsTheirTextsKeysAndWaysToCloseAndTheWatchdog)
{
    LayOutDemo();
    Settings().Write(SettingKey::CDImage, "/discs/Akira.iso");  // an image is in, for Ctrl+E below
    ASSERT_TRUE(StartMainWindow());
    const auto Open = [this](const char* entry) {  // Hilfe1 the joypad help, Hilfe2 the chart
        Action(entry)->trigger();
        return entry == std::string("Hilfe1") ? Windows().joypadHelp : Windows().compatibility;
    };
    const auto Mark = [](QWidget* chart,
                         const QString& name) {  // as the chart's mark: 0 empty, 1 ticked, 2 grey
        return QString(QString("021")[Child<QCheckBox>(chart, name)->checkState()]);
    };
    const auto HelpClosed = [] { return !Windows().joypadHelp && !Windows().compatibility; };
    QWidget* help = Open("Hilfe1");
    ASSERT_TRUE(help);
    EXPECT_EQ(
        QString::fromUtf8("Help: Joypad-Emulation|Note:|The joypad emulation is only available for games, "
                          "that can't be played without a joypad. Some games like 'Gloom' or 'Roadkill' "
                          "are incompatible to the joypad emulation. You have to set the controller to "
                          "'Joystick' (inside the game) to play these games.|Joypad-Emulation (FakePad) "
                          "\u00A9 1999 its author|Close|true|3000|true"),
        help->windowTitle() + "|" + Props(help, "text", "Label1 Label2 Label3 Command1") + "|" +
            Props(help, "default", "Command1") + "|" + Props(help, "interval", "Timer1") + "|" +
            Props(help, "active", "Timer1"));
    QWidget* chart = Open("Hilfe2");
    EXPECT_EQ("Help: Compatibility|Game|Note|= not tested",
              chart->windowTitle() + "|" + Props(chart, "text", "Label22 Label2 Label47"));
    int n = 0;
    for (const ChartRow& row : CompatibilityChart()) {
        const QString i = QString::number(++n);
        EXPECT_EQ(QString::fromStdString(row.title + "|" + row.note) +
                      QString("|%1|%2").arg(int(row.joypad)).arg(int(row.nvram)),
                  Props(chart, "text", "Game" + i + " Note" + i) + "|" + Mark(chart, "Joypad" + i) + "|" +
                      Mark(chart, "NVRAM" + i));
    }
    // The menus' keys belong to the main window, the CD image's too: from a help window Ctrl+F
    // flips no switch, Ctrl+I opens no file dialog (an unscripted one fails the test) and Ctrl+E
    // ejects nothing.
    for (QWidget* window : {help, chart, static_cast<QWidget*>(mainWindow.get())}) {
        const bool main = window == mainWindow.get();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(main ? "false" : "true", Main("checked", "Frameskip"));
        if (main)
            host->ChooseNextFile(std::nullopt);
        QTest::keyClick(window, Qt::Key_I, Qt::ControlModifier);
        EXPECT_EQ(main ? 1u : 0u, host->fileRequests.size());
        QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(main ? "" : "/discs/Akira.iso", ReadSetting(SettingKey::CDImage));
    }
    // Close closes (Enter presses it as the default button); the menu shows the open window again.
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
    EXPECT_FALSE(mainWindow->isVisible() || HelpClosed());
    // The real timer, not a direct call: within about three seconds.
    EXPECT_TRUE(QTest::qWaitFor([this] { return host->endProgramRequests > 0; }, 6000));
    EXPECT_TRUE(QTest::qWaitFor(HelpClosed));
    EXPECT_EQ(configBefore, Config()) << "the watchdog's end must not run the shutdown";
}

}  // namespace
}  // namespace talvero
