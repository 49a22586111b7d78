// The main window, driven offscreen through its controls and menus.
#include "app/frmMain.h"
#include "demo/DemoPreviews.h"
#include "emulator/ConfigEditor.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace talvero {
namespace {

using test::Child;

class MainWindowTest : public test::GuiTest {
protected:
    QListWidget* List() { return Child<QListWidget>(mainWindow.get(), "List1"); }
    QPushButton* StartButton() { return Child<QPushButton>(mainWindow.get(), "Command1"); }
    QAction* Action(const char* name) { return Child<QAction>(mainWindow.get(), name); }
    void Click(const char* name)
    {
        QTest::mouseClick(Child<QWidget>(mainWindow.get(), name), Qt::LeftButton);
    }
    QString Showing() { return Child<QLabel>(mainWindow.get(), "Image1")->property("showing").toString(); }
    QStringList Titles() { return test::Entries(List()); }
    QString Selected() { return test::Selected(List()); }
    void Select(const QString& title) { test::Select(List(), title); }
};

TEST_F(MainWindowTest, FirstStartCreatesTheCacheAndShowsTheCd32ListWithNothingSelected)
{
    ASSERT_FALSE(test::Exists(folder / "Cache"));
    ASSERT_TRUE(StartMainWindow());
    EXPECT_TRUE(test::Exists(folder / "Cache"));
    EXPECT_TRUE(Action("Frameskip")->isChecked());
    EXPECT_FALSE(Action("JITComp")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(mainWindow.get(), "Option1")->isChecked());
    EXPECT_EQ(26, List()->count());
    EXPECT_EQ("", Selected());
    EXPECT_FALSE(StartButton()->isEnabled());
    EXPECT_EQ("startup", Showing());
    EXPECT_EQ(QSize(225, 225), Child<QLabel>(mainWindow.get(), "Image1")->pixmap().size());
    EXPECT_EQ("<absent>", ReadSetting("Frameskip"));
}

TEST_F(MainWindowTest, CaptionsMenusShortcutsFocusOrderAndTheAboutBox)
{
    ASSERT_TRUE(StartMainWindow());
    EXPECT_TRUE(mainWindow->windowTitle().startsWith("Talvero v1.1"));
    EXPECT_FALSE(mainWindow->windowIcon().isNull());
    const std::pair<const char*, const char*> captions[] = {{"Label1", "Show games for:"},
                                                            {"Option1", "CD32"},
                                                            {"Option2", "CDTV"},
                                                            {"Command1", "&Start game"},
                                                            {"Command2", "&Options"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(caption, Child<QWidget>(mainWindow.get(), name)->property("text").toString()) << name;
    const std::vector<std::tuple<const char*, const char*, QKeySequence>> entries = {
        {"Programm1", "&Options", QKeySequence("Ctrl+O")},
        {"Programm2", "&Exit", QKeySequence("Ctrl+Q")},
        {"Frameskip", "Enable &frameskip", QKeySequence("Ctrl+F")},
        {"JITComp", "Enable &JIT compiler", QKeySequence("Ctrl+J")},
        {"Extras1", "&NVRAM-Manager", QKeySequence("Ctrl+N")},
        {"Hilfe1", "&1. Joypad-Emulation", QKeySequence("F1")},
        {"Hilfe2", "&2. Compatibility", QKeySequence("F2")},
        {"Info", "&About Talvero...", QKeySequence()}};
    for (const auto& [name, caption, shortcut] : entries) {
        EXPECT_EQ(caption, Action(name)->text()) << name;
        EXPECT_EQ(shortcut, Action(name)->shortcut()) << name;
    }
    QStringList menus;
    for (QAction* menu : mainWindow->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ((QStringList{"&Program", "&Extras", "&Help"}), menus);
    EXPECT_EQ(QRect(8, 219, 97, 25), StartButton()->geometry());
    EXPECT_EQ(QSize(461, 253), mainWindow->centralWidget()->size());

    Action("Info")->trigger();
    const MessageBoxRequest about = host->TakeMessage();
    EXPECT_EQ("Info", about.title);
    EXPECT_EQ(MessageIcon::Information, about.icon);
    const QStringList lines = QString::fromStdString(about.text).split("\r\n");
    ASSERT_EQ(11, lines.size());
    EXPECT_EQ("Talvero v1.1", lines[0]);
    EXPECT_TRUE(lines[2].isEmpty() && lines[5].isEmpty() && lines[7].isEmpty() && lines[9].isEmpty());
    EXPECT_TRUE(lines[3].startsWith("eMail: ") && lines[4].startsWith("Homepage: "));
    EXPECT_EQ(QString::fromUtf8("Joypad-Emulation (FakePad) \u00A9 1999 its author"), lines[6]);
    EXPECT_TRUE(lines[8].startsWith("WinUAE-Homepage: ") && lines[10].startsWith("Special thanks to: "));
}

TEST_F(MainWindowTest, SwitchingSystemsSelectsTheFirstEntryAndShowsItsPreviewOrNone)
{
    test::MakeFolders(folder / "Previews");
    ASSERT_TRUE(WriteTitleCard("Akira", folder / "Previews/Akira.jpg"));
    ASSERT_TRUE(WriteTitleCard("Defender of the Crown 2", folder / "Previews/Defender of the Crown 2.jpg"));
    test::WriteFile(folder / "Previews/Gloom.jpg", "this is not a picture");
    test::MakeFolders(folder / "Previews/Roadkill.jpg");
    ASSERT_TRUE(StartMainWindow());
    Click("Option2");
    EXPECT_EQ((QStringList{"Defender of the Crown 2", "Fantastic Voyage",
                           "Indiana Jones and the Last Crusade", "Lemmings", "Turrican 2"}),
              Titles());
    EXPECT_EQ("Defender of the Crown 2", Selected());
    EXPECT_EQ("preview", Showing());
    Click("Option1");
    EXPECT_EQ(26, List()->count());
    EXPECT_EQ("Akira", Selected());
    EXPECT_EQ("preview", Showing());
    EXPECT_EQ(229, Child<QLabel>(mainWindow.get(), "Image1")->pixmap().width());
    for (const char* title : {"Deep Core", "Gloom", "Roadkill"}) {
        Select(title);
        EXPECT_EQ("none", Showing()) << title;
        EXPECT_TRUE(Child<QLabel>(mainWindow.get(), "Image1")->pixmap().isNull());
    }
    EXPECT_TRUE(StartButton()->isEnabled());
}

TEST_F(MainWindowTest, TheKeyboardSelectsFocusAloneDoesNotAndEnterStartsTheGame)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    ASSERT_TRUE(test::WaitUntil([this] { return List()->hasFocus(); }));
    EXPECT_EQ("", Selected());
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(0u, host->PendingMessages()) << "Enter must do nothing while Start game is disabled";
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ("Akira", Selected());
    QTest::keyClicks(List(), "gu");
    EXPECT_EQ("Guardian", Selected());
    QTest::keyClick(List(), Qt::Key_Return);
    host->ExpectMessage("Please insert the \"Guardian\"-CD first!", MessageIcon::Exclamation);
    auto* options = Child<QPushButton>(mainWindow.get(), "Command2");
    options->setFocus();
    QString opened;
    test::WhenModalOpens([&](QWidget* dialog) {
        opened = dialog->objectName();
        dialog->close();
    });
    QTest::keyClick(options, Qt::Key_Return);
    EXPECT_EQ("frmOptions", opened);
}

TEST_F(MainWindowTest, StartGameTakesTheSwitchesTheOptionsAndTheListsEntry)
{
    LayOutDemo();
    test::WriteFile(App(kConfigFile), "");
    WriteSetting("SndEmu", "0");
    InsertDemoCd("Defender of the Crown 2");
    ASSERT_TRUE(StartMainWindow());
    Action("Frameskip")->trigger();
    Action("JITComp")->trigger();
    int starts = 0;
    for (const char* list : {"Option1", "Option2"}) {
        // The emulator of the start before has ended, so that this start asks nothing.
        if (starts++ > 0)
            WaitForLaunchLog(1);
        Click(list);
        Select("Defender of the Crown 2");
        Click("Command1");
        EXPECT_EQ(0u, host->PendingMessages());
        EXPECT_EQ("1|2048|<absent>|rw,0:" + (folder / "Cache/def2"),
                  ConfigValue("gfx_framerate=") + "|" + ConfigValue("cachesize=") + "|" +
                      ConfigValue("sound_output=") + "|" + ConfigValue("filesystem="));
        EXPECT_EQ("Defender of the Crown 2", Selected());
    }
    EXPECT_EQ(std::string::npos, WaitForLaunchLog(2).find("WinUAE817r3.exe"));
}

TEST_F(MainWindowTest, SwitchesAreStoredAtOnceAndReadBackInAnySpelling)
{
    ASSERT_TRUE(StartMainWindow());
    Action("Frameskip")->trigger();
    EXPECT_EQ("False", ReadSetting("Frameskip"));
    Action("JITComp")->trigger();
    EXPECT_EQ("True", ReadSetting("JITComp"));
    const std::tuple<const char*, const char*, bool, bool> stored[] = {
        {"False", "True", false, true}, {"false", "-1", false, true}, {"garbage", "0", true, false}};
    for (const auto& [frameskip, jit, frameskipOn, jitOn] : stored) {
        mainWindow->Form_Terminate();
        WriteSetting("Frameskip", frameskip);
        WriteSetting("JITComp", jit);
        ASSERT_TRUE(StartMainWindow());
        EXPECT_EQ(frameskipOn, Action("Frameskip")->isChecked()) << frameskip;
        EXPECT_EQ(jitOn, Action("JITComp")->isChecked()) << jit;
    }
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxRunTheShutdownOnce)
{
    LayOutDemo();
    test::WriteFile(App(kConfigTempFile), "left over");
    ASSERT_TRUE(StartMainWindow());
    const auto lines = ConfigLines().size();
    Action("Programm2")->trigger();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("rw,tmp:" + (folder / "Cache/tmp"), ConfigValue("filesystem="));
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
    EXPECT_EQ(lines, ConfigLines().size());
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)) || test::Exists(folder / "Cache/tmp"));
    test::WriteFile(App(kConfigFile), "filesystem=x\r\n");
    mainWindow->close();
    Action("Programm2")->trigger();
    EXPECT_EQ("filesystem=x\r\n", Config());

    std::filesystem::remove(App(kConfigFile));
    ASSERT_TRUE(StartMainWindow());
    mainWindow->close();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_FALSE(test::Exists(App(kConfigFile)));
}

TEST_F(MainWindowTest, ACacheFolderThatCannotBeCreatedEndsTheProgramBeforeTheWindowShows)
{
    LayOutDemo();
    test::WriteFile(folder / "Cache", "a file where the cache folder belongs");
    EXPECT_EQ(nullptr, StartMainWindow());
    host->ExpectMessage("Error creating the cache directory.");
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
}

TEST_F(MainWindowTest, MenusOpenTheOtherWindows)
{
    ASSERT_TRUE(StartMainWindow());
    QString opened;
    for (const char* entry : {"Extras1", "Programm1"}) {
        test::WhenModalOpens([&](QWidget* dialog) {
            opened += dialog->objectName() + (dialog->parentWidget() == mainWindow.get() ? " owned " : " ");
            dialog->close();
        });
        Action(entry)->trigger();
    }
    EXPECT_EQ("frmNVRAM owned frmOptions owned ", opened);
    Action("Hilfe1")->trigger();
    Action("Hilfe2")->trigger();
    ASSERT_TRUE(Windows().joypadHelp && Windows().compatibility);
    EXPECT_TRUE(Windows().joypadHelp->isVisible());
    EXPECT_EQ(nullptr, Windows().compatibility->parentWidget());
}

// Focus order List1, Option1, Command1, Command2, Option2; of the option buttons only the
// checked one is a tab stop, and arrow keys move between them.
TEST_F(MainWindowTest, TheOptionButtonsAreOneTabStopTheCheckedOne)
{
    ASSERT_TRUE(StartMainWindow());
    const auto key = [this](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(mainWindow->focusWidget(), pressed, modifiers);
        return mainWindow->focusWidget()->objectName();
    };
    const auto tabStops = [&] {
        List()->setFocus();
        QStringList stops{"List1"};
        for (QString next = key(Qt::Key_Tab); next != "List1" && stops.size() < 8; next = key(Qt::Key_Tab))
            stops << next;
        return stops;
    };
    // Backwards first, before any option button has had the focus.
    List()->setFocus();
    EXPECT_EQ("Command2", key(Qt::Key_Tab, Qt::ShiftModifier));
    EXPECT_EQ((QStringList{"List1", "Option1", "Command2"}), tabStops());

    QTest::mouseClick(Child<QRadioButton>(mainWindow.get(), "Option2"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ("Defender of the Crown 2", Titles().first());
    EXPECT_EQ((QStringList{"List1", "Command1", "Command2", "Option2"}), tabStops());
    List()->setFocus();
    EXPECT_EQ("Option2", key(Qt::Key_Tab, Qt::ShiftModifier));
    EXPECT_EQ("Option1", key(Qt::Key_Left));
    EXPECT_EQ("Akira", Titles().first());
    EXPECT_EQ((QStringList{"List1", "Option1", "Command1", "Command2"}), tabStops());
}

}  // namespace
}  // namespace talvero
