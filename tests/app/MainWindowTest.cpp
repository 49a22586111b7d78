// The main window, driven offscreen through its controls and menus; the rules behind them are
// tested in the core tests (StartGameTest, SettingsStoreTest, ...).
#include "demo/DemoPreviews.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>

namespace talvero {
namespace {

class MainWindowTest : public test::GuiTest {
protected:
    QListWidget* List() { return Child<QListWidget>(mainWindow.get(), "List1"); }
    QLabel* Image() { return Child<QLabel>(mainWindow.get(), "Image1"); }
    // The selected entry, whether Start game is enabled, and what the picture shows.
    QString State()
    {
        return Selected(List()) + "|" + Main("enabled", "Command1") + "|" + Main("showing", "Image1");
    }
    QString Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(mainWindow->focusWidget(), key, modifiers);
        return mainWindow->focusWidget()->objectName();
    }
};

TEST_F(MainWindowTest, FirstStartCaptionsMenusShortcutsAndTheAboutBox)
{
    ASSERT_TRUE(StartMainWindow());
    EXPECT_TRUE(test::Exists(folder / "Cache"));
    EXPECT_EQ("true|false|true|26||false|startup|<absent>",
              Main("checked", "Frameskip JITComp Option1") + "|" + QString::number(List()->count()) + "|" +
                  State() + "|" + ReadSetting("Frameskip").c_str());
    EXPECT_EQ(QSize(225, 225), Image()->pixmap().size());
    EXPECT_TRUE(mainWindow->windowTitle().startsWith("Talvero v1.1"));
    EXPECT_EQ("Show games for:|CD32|CDTV|&Start game|&Options|&Options|&Exit|Enable &frameskip|"
              "Enable &JIT compiler|&NVRAM-Manager|&1. Joypad-Emulation|&2. Compatibility|&About Talvero...",
              Main("text",
                   "Label1 Option1 Option2 Command1 Command2 Programm1 Programm2 Frameskip JITComp Extras1 "
                   "Hilfe1 Hilfe2 Info"));
    EXPECT_EQ("Ctrl+O|Ctrl+Q|Ctrl+F|Ctrl+J|Ctrl+N|Ctrl+I|Ctrl+E|F1|F2|",
              Main("shortcut",
                   "Programm1 Programm2 Frameskip JITComp Extras1 CDImage1 CDImage2 Hilfe1 Hilfe2 Info"));
    QStringList menus;
    for (QAction* menu : mainWindow->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ("&Program|&Extras|&Help", menus.join('|'));
    EXPECT_EQ(QRect(8, 219, 97, 25), Child(mainWindow.get(), "Command1")->geometry());  // from twips
    EXPECT_EQ(QSize(461, 253), mainWindow->centralWidget()->size());
    Action("Info")->trigger();
    const MessageBoxRequest about = host->TakeMessage();
    EXPECT_TRUE(about.title == "Info" && about.icon == MessageIcon::Information);
    // Eleven lines; the ones naming persons and addresses are checked by their lead-in only.
    const QRegularExpression lines(
        QString::fromUtf8("^Talvero v1\\.1\r\n.+\r\n\r\neMail: .+\r\nHomepage: .+\r\n\r\nJoypad-Emulation "
                          "\\(FakePad\\) \u00A9 1999 "
                          "its author\r\n\r\nWinUAE-Homepage: .+\r\n\r\nSpecial thanks to: .+$"));
    EXPECT_TRUE(QString::fromStdString(about.text).contains(lines)) << about.text;
}

TEST_F(MainWindowTest, SwitchingSystemsSelectsTheFirstEntryAndShowsItsPreviewOrNone)
{
    test::MakeFolders(folder / "Previews/Roadkill.jpg");
    ASSERT_TRUE(WriteTitleCard("Akira", folder / "Previews/Akira.jpg"));
    ASSERT_TRUE(WriteTitleCard("Defender of the Crown 2", folder / "Previews/Defender of the Crown 2.jpg"));
    test::WriteFile(folder / "Previews/Gloom.jpg", "this is not a picture");
    ASSERT_TRUE(StartMainWindow());
    Click("Option2");
    EXPECT_EQ(
        "Defender of the Crown 2,Fantastic Voyage,Indiana Jones and the Last Crusade,Lemmings,Turrican 2 "
        "Defender of the Crown 2|true|preview",
        Entries(List()) + " " + State());
    Click("Option1");
    EXPECT_EQ("26 Akira|true|preview 229", QString::number(List()->count()) + " " + State() + " " +
                                               QString::number(Image()->pixmap().width()));
    for (const char* title : {"Deep Core", "Gloom", "Roadkill"}) {
        Select(List(), title);
        EXPECT_EQ(QString(title) + "|true|none|1",
                  State() + "|" + QString::number(Image()->pixmap().isNull()));
    }
}

TEST_F(MainWindowTest, TheKeyboardSelectsFocusAloneDoesNotAndEnterStartsTheGame)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    ASSERT_TRUE(WaitUntil([this] { return List()->hasFocus(); }));
    Key(Qt::Key_Return);  // nothing selected, Start game disabled: nothing happens
    EXPECT_EQ("|false|startup", State());
    Key(Qt::Key_Down);
    EXPECT_EQ("Akira", Selected(List()));
    QTest::keyClicks(List(), "gu");
    EXPECT_EQ("Guardian", Selected(List()));
    EXPECT_EQ(0u, host->PendingMessages());
    Key(Qt::Key_Return);
    host->ExpectMessage("Please insert the \"Guardian\"-CD first!", MessageIcon::Exclamation);
    // A focused button takes Enter itself; the menus open the same dialogs, owned by the window.
    const auto opens = [&](const std::function<void()>& action) {
        QString opened;
        WhenModalOpens([&](QWidget* dialog) {
            opened = dialog->objectName() + (dialog->parentWidget() == mainWindow.get() ? " owned" : "");
            dialog->close();
        });
        action();
        return opened;
    };
    Child(mainWindow.get(), "Command2")->setFocus();
    EXPECT_EQ("frmOptions owned", opens([&] { Key(Qt::Key_Return); }));
    EXPECT_EQ("frmOptions owned", opens([&] { Action("Programm1")->trigger(); }));
    EXPECT_EQ("frmNVRAM owned", opens([&] { Action("Extras1")->trigger(); }));
}

// The switches are stored at once, read back in any spelling (an unreadable one keeps the default),
// and reach Start game with the stored options and the chosen drive.
TEST_F(MainWindowTest, TheSwitchesAreStoredReadBackAndTakenByStartGameWithTheOptions)
{
    for (const auto& [frameskip, jit, checked] :
         {std::tuple{"false", "-1", "false|true"}, std::tuple{"garbage", "0", "true|false"}}) {
        WriteSetting("Frameskip", frameskip);
        WriteSetting("JITComp", jit);
        ASSERT_TRUE(StartMainWindow());
        EXPECT_EQ(checked, Main("checked", "Frameskip JITComp")) << frameskip;
    }
    Action("Frameskip")->trigger();
    Action("JITComp")->trigger();
    EXPECT_EQ("False|True", ReadSetting("Frameskip") + "|" + ReadSetting("JITComp"));
    LayOutDemo();
    test::WriteFile(App(kConfigFile), "");
    WriteSetting("SndEmu", "0");
    WriteSetting("Drive", "E:");
    InsertDemoCd("Lemmings", "E");
    StartFromWindow("Lemmings");
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_EQ("1|2048|<absent>|rw,0:" + (folder / "Cache/lemm"),
              ConfigValue("gfx_framerate=") + "|" + ConfigValue("cachesize=") + "|" +
                  ConfigValue("sound_output=") + "|" + ConfigValue("filesystem="));
    WaitForLaunchLog();
}

// The shutdown runs once, from Exit or the close box, and closes every window; a cache folder that cannot be
// created ends the program before the window shows.
TEST_F(MainWindowTest, ExitAndTheCloseBoxRunTheShutdownOnce)
{
    LayOutDemo();
    test::WriteFile(folder / "Cache", "a file where the cache folder belongs");
    EXPECT_EQ(nullptr, StartMainWindow());
    host->ExpectMessage("Error creating the cache directory.");
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
    std::filesystem::remove(folder / "Cache");
    test::WriteFile(App(kConfigTempFile), "left over");
    ASSERT_TRUE(StartMainWindow());
    Action("Hilfe1")->trigger();
    Action("Hilfe2")->trigger();
    Action("Programm2")->trigger();  // closes the help windows too, without ending the program at once
    EXPECT_TRUE(WaitUntil([] { return !Windows().joypadHelp && !Windows().compatibility; }));
    EXPECT_FALSE(mainWindow->isVisible() || host->endProgramRequests);
    EXPECT_EQ("rw,tmp:" + (folder / "Cache/tmp"), ConfigValue("filesystem="));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)) || test::Exists(folder / "Cache/tmp"));
    test::WriteFile(App(kConfigFile), "filesystem=x\r\n");
    mainWindow->close();
    Action("Programm2")->trigger();
    EXPECT_EQ("filesystem=x\r\n", Config());
    ASSERT_TRUE(StartMainWindow());
    mainWindow->close();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
}

// Of the option buttons only the checked one is a tab stop, and arrow keys move between them.
TEST_F(MainWindowTest, TheOptionButtonsAreOneTabStopTheCheckedOne)
{
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    EXPECT_EQ("Command2", Key(Qt::Key_Tab, Qt::ShiftModifier));  // before any option had the focus
    EXPECT_EQ("List1 Option1 Command2", TabStops(List()));
    Click("Option2");
    EXPECT_EQ("List1 Command1 Command2 Option2", TabStops(List()));
    List()->setFocus();
    EXPECT_EQ("Option2", Key(Qt::Key_Tab, Qt::ShiftModifier));
    EXPECT_EQ("Option1", Key(Qt::Key_Left));
    EXPECT_EQ("Akira", List()->item(0)->text());
    EXPECT_EQ("List1 Option1 Command1 Command2", TabStops(List()));
}

}  // namespace
}  // namespace talvero
