// The main window, driven offscreen through its controls and menus: Start game while it copies.
// What needs a POSIX system (a shell-script emulator, CD images) is in posix/MainWindowPosixTest.
// The rules behind them are tested in the core tests (StartGameTest, SettingsStoreTest, DrivesTest, ...).
#include "app/StartGameProgress.h"
#include "demo/DemoPreviews.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>

namespace talvero {
namespace {

class MainWindowTest : public test::GuiTest {
protected:
    QListWidget* List() { return Child<QListWidget>(mainWindow.get(), "List1"); }
    // The selected entry, whether Start game is enabled, and what the picture shows.
    QString State()
    {
        return Selected(List()) + "|" + Main("enabled", "Command1") + "|" + Main("showing", "Image1");
    }
    void Key(Qt::Key key) { QTest::keyClick(mainWindow->focusWidget(), key); }
};

TEST_F(MainWindowTest, FirstStartCaptionsMenusTheAboutBoxAndThePreviews)
{
    ASSERT_TRUE(StartMainWindow());
    EXPECT_EQ("true|false|true|26||false|startup|<absent>|1",
              Main("checked", "Frameskip JITComp Option1") + "|" + QString::number(List()->count()) + "|" +
                  State() + "|" + ReadSetting("Frameskip").c_str() + "|" +
                  QString::number(test::Exists(folder / "Cache")));
    EXPECT_EQ(
        "Talvero v1.1|Show games for:|CD32|CDTV|&Start game|&Options|&Program|&Options|&Exit|&Extras|Enable "
        "&frameskip|"
        "Enable &JIT compiler|&NVRAM-Manager|&Help|&1. Joypad-Emulation|&2. Compatibility|&About Talvero...",
        mainWindow->windowTitle().left(12) + "|" + Main("text", "Label1 Option1 Option2 Command1 Command2") +
            "|" + Main("title", "Programm") + "|" + Main("text", "Programm1 Programm2") + "|" +
            Main("title", "Extras") + "|" + Main("text", "Frameskip JITComp Extras1") + "|" +
            Main("title", "Hilfe") + "|" + Main("text", "Hilfe1 Hilfe2 Info"));
    EXPECT_EQ("Ctrl+O|Ctrl+Q|Ctrl+F|Ctrl+J|Ctrl+N|Ctrl+I|Ctrl+E|F1|F2|",
              Main("shortcut",
                   "Programm1 Programm2 Frameskip JITComp Extras1 CDImage1 CDImage2 Hilfe1 Hilfe2 Info"));
    Action("Info")->trigger();
    const MessageBoxRequest about = host->TakeMessage();
    // Eleven lines; the ones naming persons and addresses are checked by their lead-in only.
    const QRegularExpression lines(
        QString::fromUtf8("^Talvero v1\\.1\r\n.+\r\n\r\neMail: .+\r\nHomepage: .+\r\n\r\nJoypad-Emulation "
                          "\\(FakePad\\) \u00A9 1999 "
                          "its author\r\n\r\nWinUAE-Homepage: .+\r\n\r\nSpecial thanks to: .+$"));
    EXPECT_TRUE(about.title == "Info" && about.icon == MessageIcon::Information &&
                QString::fromStdString(about.text).contains(lines))
        << about.text;
    // Switching systems selects the first entry; a preview that is no picture shows none.
    test::WriteFile(folder / "Previews/Gloom.jpg", "this is not a picture");
    ASSERT_TRUE(WriteTitleCard("Akira", folder / "Previews/Akira.jpg"));
    ASSERT_TRUE(WriteTitleCard("Defender of the Crown 2", folder / "Previews/Defender of the Crown 2.jpg"));
    ClickOn(mainWindow.get(), "Option2");
    QString shown = QString::number(List()->count()) + " " + State();
    ClickOn(mainWindow.get(), "Option1");
    shown += " " + QString::number(List()->count()) + " " + State() + " " +
             QString::number(Child<QLabel>(mainWindow.get(), "Image1")->pixmap().width());  // scaled to fit
    Select(List(), "Gloom");
    EXPECT_EQ("5 Defender of the Crown 2|true|preview 26 Akira|true|preview 229 Gloom|true|none",
              shown + " " + State());
}

TEST_F(MainWindowTest, TheKeyboardSelectsFocusAloneDoesNotAndEnterStartsTheGame)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return List()->hasFocus(); }));
    Key(Qt::Key_Return);  // nothing selected, Start game disabled: nothing happens
    EXPECT_EQ("|false|startup", State());
    Key(Qt::Key_Down);
    QTest::keyClicks(List(), "gu");
    Key(Qt::Key_Return);
    host->ExpectMessage("Please insert the \"Guardian\"-CD first!", MessageIcon::Exclamation);
    // A focused button takes Enter itself; the menu opens the manager; both owned by the window.
    QString opened;
    const auto record = [&](QWidget* dialog) {
        opened += dialog->objectName() + (dialog->parentWidget() == mainWindow.get() ? " owned " : " ");
        dialog->close();
    };
    WhenModalOpens(record);
    Child(mainWindow.get(), "Command2")->setFocus();
    Key(Qt::Key_Return);
    WhenModalOpens(record);
    Action("Extras1")->trigger();
    EXPECT_EQ("frmOptions owned frmNVRAM owned ", opened);
}

// The switches are stored at once (twice clicked, the program's own spelling shows), read back (an
// unreadable one keeps the default), and reach Start game with the stored options and drive.
TEST_F(MainWindowTest, TheSwitchesAreStoredReadBackAndTakenByStartGameWithTheOptions)
{
    LayOutDemo();
    test::WriteFile(App(kConfigFile), "");
    for (const auto& [key, value] : {std::pair{"Frameskip", "false"}, std::pair{"JITComp", "garbage"},
                                     std::pair{"SndEmu", "0"}, std::pair{"Drive", "E:"}})
        Settings().Write(key, value);
    ASSERT_TRUE(StartMainWindow());
    EXPECT_EQ("false|false", Main("checked", "Frameskip JITComp"));
    for (const char* name : {"Frameskip", "Frameskip", "JITComp"})
        Action(name)->trigger();
    EXPECT_EQ("False|True", ReadSetting("Frameskip") + "|" + ReadSetting("JITComp"));
    InsertDemoCd("Lemmings", "E");
    ClickOn(mainWindow.get(), "Option2");
    StartFromWindow("Lemmings");
    EXPECT_EQ("1|2048|<absent>|rw,0:" + (folder / "Cache/lemm"),
              ConfigValue("gfx_framerate=") + "|" + ConfigValue("cachesize=") + "|" +
                  ConfigValue("sound_output=") + "|" + ConfigValue("filesystem="));
    WaitForLaunchLog();
}

// The shutdown runs once, from Exit or the close box, and closes every window; a cache folder that
// cannot be created ends the program before the window shows.
TEST_F(MainWindowTest, ExitAndTheCloseBoxRunTheShutdownOnce)
{
    LayOutDemo();
    test::WriteFile(folder / "Cache", "a file where the cache folder belongs");
    EXPECT_EQ(nullptr, StartMainWindow());
    host->ExpectMessage("Error creating the cache directory.");
    // The window does not show, and the shutdown ran.
    EXPECT_EQ("0|rw,tmp:" + (folder / "Cache/tmp"),
              std::to_string(mainWindow->isVisible()) + "|" + ConfigValue("filesystem="));
    std::filesystem::remove(folder / "Cache");
    test::WriteFile(App(kConfigFile), "");
    ASSERT_TRUE(StartMainWindow());
    Action("Hilfe1")->trigger();
    Action("Hilfe2")->trigger();
    Action("Programm2")->trigger();  // closes the help windows too, without ending the program at once
    EXPECT_TRUE(QTest::qWaitFor([] { return !Windows().joypadHelp && !Windows().compatibility; }));
    EXPECT_EQ("0|0|false", QString::number(mainWindow->isVisible()) + "|" +
                               QString::number(host->endProgramRequests) + "|" +
                               ConfigValue("win32.map_drives=").c_str());
    test::WriteFile(App(kConfigFile), "filesystem=x\r\n");
    mainWindow->close();
    Action("Programm2")->trigger();
    EXPECT_EQ("filesystem=x\r\n", Config());
    ASSERT_TRUE(StartMainWindow());
    mainWindow->close();
    EXPECT_EQ("0|rw,tmp:" + (folder / "Cache/tmp"),
              std::to_string(mainWindow->isVisible()) + "|" + ConfigValue("filesystem="));
}

TEST_F(MainWindowTest, ASlowCopyShowsItsProgressAndCancelStartsNothing)
{
    LayOutDemo();
    test::WriteFile(App(kConfigFile), "joyport1=kbd2\r\n");  // without the keys that a start sets
    InsertDemoCd("GunShip 2000");
    // A slow disc: every step of every copy takes a while.
    faults::SetReplaceHook([](faults::ReplaceStep, const std::string&) { QThread::msleep(30); });
    QString seen;
    QDeadlineTimer late(500);
    WhenModalOpens([&](QWidget* dialog) {
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        ASSERT_TRUE(progress) << "the modal window is no progress dialog";
        seen = progress->labelText() + (late.hasExpired() ? " late" : " early");
        // Start game again while the first copies: nothing may happen.
        Child<QPushButton>(mainWindow.get(), "Command1")->click();
        seen += host->PendingMessages() > 0 || test::Exists(App("\\WinUAE\\launch.log")) ? " twice" : "";
        progress->findChild<QPushButton*>()->click();
    });
    StartFromWindow("GunShip 2000");
    EXPECT_TRUE(seen.startsWith("Copying \"GunShip 2000\" from the CD:\n") && seen.endsWith(" late"))
        << seen.toStdString();
    // Start game's own lines were written, the installer's were not, and no emulator started.
    EXPECT_EQ("2|normal|<absent>", ConfigValue("gfx_framerate=") + "|" + ConfigValue("sound_output=") + "|" +
                                       ConfigValue("filesystem="));
    QTest::qWait(200);
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")) || !mainWindow->isEnabled());
}

// While the user reads a message (here: waits) before any copy, no empty progress dialog may come
// up (Qt's own four-second timer would show one).
TEST_F(MainWindowTest, AStartThatWaitsShowsNoEmptyProgressDialog)
{
    StartGameProgress progress(nullptr);
    QTest::qWait(4500);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QProgressDialog*>(window) && window->isVisible());
}

}  // namespace
}  // namespace talvero
