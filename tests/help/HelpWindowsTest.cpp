// The joypad help and the compatibility chart, with their watchdog.
#include "app/CdImageChoice.h"
#include "help/Watchdog.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"
#include "ui/Artwork.h"
#include "ui/WindowRegistry.h"

#include <QCheckBox>
#include <QTimer>
#include <set>

namespace talvero {
namespace {

using HelpWindowsTest = test::GuiTest;

TEST_F(HelpWindowsTest, TheHelpWindowsTheChartsMarksKeysWaysToCloseAndTheWatchdog)
{
    LayOutDemo();
    Settings().Write(SettingKey::CDImage, "/discs/Akira.iso");  // an image is in, for Ctrl+E below
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
    // The rows with a ticked Joypad box, a ticked NVRAM box and a grey NVRAM box, typed from the
    // chart's source: the games that get fakepad and the NVRAM manager's games.
    const std::set<int> joypad = {4, 6, 11, 14, 16, 17, 23, 24}, nvram = {1, 4, 6, 14, 16, 23, 24},
                        grey = {11, 12, 22};
    for (int n = 1; n <= 30; ++n) {
        const auto box = [&](const char* column) {
            return Child<QCheckBox>(chart, column + QString::number(n))->checkState();
        };
        EXPECT_EQ(joypad.count(n) ? Qt::Checked : Qt::Unchecked, box("Joypad")) << "row " << n;
        EXPECT_EQ(nvram.count(n)  ? Qt::Checked
                  : grey.count(n) ? Qt::PartiallyChecked
                                  : Qt::Unchecked,
                  box("NVRAM"))
            << "row " << n;
    }
    // A click toggles a box between ticked and empty, a grey one too: grey is set by the program only.
    for (const char* name : {"NVRAM2", "NVRAM11"}) {
        auto* box = Child<QCheckBox>(chart, name);
        for (Qt::CheckState expected : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
            EXPECT_EQ(expected, box->checkState()) << name;
        }
    }
    // Every window shows the program's icon, not Qt's generic one.
    frmNVRAM manager(nullptr);
    for (QWidget* window : std::initializer_list<QWidget*>{help, chart, mainWindow.get(), &manager})
        EXPECT_EQ(WindowIcon().pixmap(32).toImage(), window->windowIcon().pixmap(32).toImage())
            << window->objectName().toStdString();
    // The menus' keys belong to the main window, the CD image's too: from a help window Ctrl+F
    // and Ctrl+J flip no switch, Ctrl+I opens no file dialog (an unscripted one fails the test),
    // Ctrl+E ejects nothing, Ctrl+O and Ctrl+N open no dialog and Ctrl+Q ends nothing.
    QStringList opened;  // a dialog that a key opened, closed at once
    QTimer modalWatch;
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << modal->objectName();
            modal->close();
        }
    });
    modalWatch.start(5);
    for (QWidget* window : {help, chart, static_cast<QWidget*>(mainWindow.get())}) {
        const bool main = window == mainWindow.get();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(!main, Action("Frameskip")->isChecked());
        if (main)
            host->ChooseNextFile(std::nullopt);
        QTest::keyClick(window, Qt::Key_I, Qt::ControlModifier);
        EXPECT_EQ(main ? 1u : 0u, host->fileRequests.size());
        QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(main ? "" : "/discs/Akira.iso", ReadSetting(SettingKey::CDImage));
        if (!main) {
            for (Qt::Key key : {Qt::Key_J, Qt::Key_O, Qt::Key_N, Qt::Key_Q})
                QTest::keyClick(window, key, Qt::ControlModifier);
        }
        QTest::qWait(20);
        EXPECT_FALSE(Action("JITComp")->isChecked());
        EXPECT_TRUE(mainWindow->isVisible());
    }
    EXPECT_EQ(QStringList{}, opened);
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
