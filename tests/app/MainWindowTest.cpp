// The main window, driven offscreen through its controls and menus.
#include "ui/WindowRegistry.h"
#include "app/frmMain.h"
#include "emulator/ConfigEditor.h"
#include "demo/DemoFolder.h"
#include "demo/DemoPreviews.h"
#include "platform/AppFolder.h"
#include "tests/support/GuiTest.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace talvero {
namespace {

using test::Child;

const QStringList kCD32 = {
    "Akira", "Alien Breed Special Edition '92", "Chambers of Shaolin", "Dark Seed", "Deep Core",
    "Defender of the Crown 2", "D-Generation", "F17 Challenge", "Fireforce", "Fly Harder", "Frontier - Elite 2",
    "Global Effect", "Gloom", "Guardian", "GunShip 2000", "IK+", "James Pond 2 - RoboCod", "Jungle Strike",
    "Mean Arenas", "Project-X Special Edition '93", "Qwak!", "Roadkill", "Speris Legacy", "Syndicate",
    "UFO - Enemy Unknown", "Whale's Voyage"};
const QStringList kCDTV = {"Defender of the Crown 2", "Fantastic Voyage", "Indiana Jones and the Last Crusade",
                           "Lemmings", "Turrican 2"};

class MainWindowTest : public test::GuiTest {
protected:
    QListWidget* List() { return Child<QListWidget>(mainWindow.get(), "List1"); }
    QPushButton* StartButton() { return Child<QPushButton>(mainWindow.get(), "Command1"); }
    QAction* Action(const char* name) { return Child<QAction>(mainWindow.get(), name); }
    QString Showing() { return Child<QLabel>(mainWindow.get(), "Image1")->property("showing").toString(); }
    QStringList Titles()
    {
        QStringList titles;
        for (int i = 0; i < List()->count(); ++i)
            titles << List()->item(i)->text();
        return titles;
    }
    QString Selected()
    {
        const auto selected = List()->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text();
    }
};

TEST_F(MainWindowTest, FirstStartCreatesTheCacheAndShowsTheCd32List)
{
    ASSERT_FALSE(test::Exists(folder / "Cache"));
    ASSERT_TRUE(StartMainWindow());
    EXPECT_TRUE(test::Exists(folder / "Cache"));
    EXPECT_TRUE(Action("Frameskip")->isChecked());
    EXPECT_FALSE(Action("JITComp")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(mainWindow.get(), "Option1")->isChecked());
    EXPECT_EQ(kCD32, Titles());
    EXPECT_TRUE(List()->selectedItems().isEmpty());
    EXPECT_FALSE(StartButton()->isEnabled());
    EXPECT_EQ("startup", Showing());
    EXPECT_EQ(QSize(225, 225), Child<QLabel>(mainWindow.get(), "Image1")->pixmap().size());
    EXPECT_EQ("<absent>", ReadSetting("Frameskip"));
}

TEST_F(MainWindowTest, CaptionsMenusShortcutsAndFocusOrder)
{
    ASSERT_TRUE(StartMainWindow());
    EXPECT_TRUE(mainWindow->windowTitle().startsWith("Talvero v1.1"));
    EXPECT_FALSE(mainWindow->windowIcon().isNull());
    EXPECT_EQ("Show games for:", Child<QLabel>(mainWindow.get(), "Label1")->text());
    EXPECT_EQ("CD32", Child<QRadioButton>(mainWindow.get(), "Option1")->text());
    EXPECT_EQ("CDTV", Child<QRadioButton>(mainWindow.get(), "Option2")->text());
    EXPECT_EQ("&Start game", StartButton()->text());
    EXPECT_EQ("&Options", Child<QPushButton>(mainWindow.get(), "Command2")->text());
    const std::vector<std::tuple<const char*, const char*, QKeySequence>> entries = {
        {"Programm1", "&Options", QKeySequence("Ctrl+O")}, {"Programm2", "&Exit", QKeySequence("Ctrl+Q")},
        {"Frameskip", "Enable &frameskip", QKeySequence("Ctrl+F")},
        {"JITComp", "Enable &JIT compiler", QKeySequence("Ctrl+J")},
        {"Extras1", "&NVRAM-Manager", QKeySequence("Ctrl+N")}, {"Hilfe1", "&1. Joypad-Emulation", QKeySequence("F1")},
        {"Hilfe2", "&2. Compatibility", QKeySequence("F2")}, {"Info", "&About Talvero...", QKeySequence()}};
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
    EXPECT_EQ(kCDTV, Titles());
    EXPECT_EQ((QStringList{"List1", "Command1", "Command2", "Option2"}), tabStops());
    List()->setFocus();
    EXPECT_EQ("Option2", key(Qt::Key_Tab, Qt::ShiftModifier));
    EXPECT_EQ("Option1", key(Qt::Key_Left));
    EXPECT_EQ(kCD32, Titles());
    EXPECT_EQ((QStringList{"List1", "Option1", "Command1", "Command2"}), tabStops());
}

TEST_F(MainWindowTest, SwitchingSystemsSelectsTheFirstEntryAndShowsItsPreview)
{
    LayOutDemo();
    WriteAllTitleCards();
    ASSERT_TRUE(StartMainWindow());
    QTest::mouseClick(Child<QRadioButton>(mainWindow.get(), "Option2"), Qt::LeftButton);
    EXPECT_EQ(kCDTV, Titles());
    EXPECT_EQ("Defender of the Crown 2", Selected());
    EXPECT_TRUE(StartButton()->isEnabled());
    EXPECT_EQ("preview", Showing());
    QTest::mouseClick(Child<QRadioButton>(mainWindow.get(), "Option1"), Qt::LeftButton);
    EXPECT_EQ(kCD32, Titles());
    EXPECT_EQ("Akira", Selected());
    EXPECT_TRUE(StartButton()->isEnabled());
}

TEST_F(MainWindowTest, MissingAndUndecodablePreviewsEmptyTheAreaForGood)
{
    test::WriteFile(folder / "Previews/garbage", "");
    ASSERT_TRUE(WriteTitleCard("Akira", folder / "Previews/Akira.jpg"));
    ASSERT_TRUE(WriteTitleCard("IK+", folder / "Previews/IK+.jpg"));
    test::WriteFile(folder / "Previews/Gloom.jpg", "this is not a picture");
    test::MakeFolders(folder / "Previews/Roadkill.jpg");
    test::WriteFile(folder / "Previews/.hidden", "");
    ASSERT_TRUE(StartMainWindow());
    List()->setCurrentRow(kCD32.indexOf("Akira"));
    EXPECT_EQ("preview", Showing());
    EXPECT_EQ(Child<QLabel>(mainWindow.get(), "Image1")->pixmap().width(), 229);
    List()->setCurrentRow(kCD32.indexOf("Deep Core"));
    EXPECT_EQ("none", Showing());
    EXPECT_TRUE(Child<QLabel>(mainWindow.get(), "Image1")->pixmap().isNull());
    List()->setCurrentRow(kCD32.indexOf("IK+"));
    EXPECT_EQ("preview", Showing());
    List()->setCurrentRow(kCD32.indexOf("Gloom"));
    EXPECT_EQ("none", Showing());
    List()->setCurrentRow(kCD32.indexOf("Roadkill"));
    EXPECT_EQ("none", Showing());
    EXPECT_TRUE(StartButton()->isEnabled());
}

TEST_F(MainWindowTest, TheKeyboardSelectsButFocusAloneDoesNot)
{
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    QTest::qWait(20);
    EXPECT_TRUE(List()->selectedItems().isEmpty());
    EXPECT_FALSE(StartButton()->isEnabled());
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ("Akira", Selected());
    EXPECT_TRUE(StartButton()->isEnabled());
    QTest::keyClicks(List(), "gu");
    EXPECT_EQ("Guardian", Selected());
}

TEST_F(MainWindowTest, EnterPressesStartGameUnlessAnotherButtonTakesIt)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(0u, host->PendingMessages()) << "Enter must do nothing while Start game is disabled";
    QTest::keyClicks(List(), "Gloom");
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ("Please insert the \"Gloom\"-CD first!", host->TakeMessage().text);

    auto* options = Child<QPushButton>(mainWindow.get(), "Command2");
    options->setFocus();
    bool optionsOpened = false;
    test::WhenModalOpens([&](QWidget* dialog) {
        optionsOpened = dialog->objectName() == "frmOptions";
        dialog->close();
    });
    QTest::keyClick(options, Qt::Key_Return);
    EXPECT_TRUE(optionsOpened);
    EXPECT_EQ(0u, host->PendingMessages());
}

TEST_F(MainWindowTest, AToggledSwitchIsStoredAtOnceAndSurvivesARestart)
{
    ASSERT_TRUE(StartMainWindow());
    Action("Frameskip")->trigger();
    EXPECT_FALSE(Action("Frameskip")->isChecked());
    EXPECT_EQ("False", ReadSetting("Frameskip"));
    Action("JITComp")->trigger();
    EXPECT_EQ("True", ReadSetting("JITComp"));
    mainWindow->Form_Terminate();
    ASSERT_TRUE(StartMainWindow());
    EXPECT_FALSE(Action("Frameskip")->isChecked());
    EXPECT_TRUE(Action("JITComp")->isChecked());
    Action("Frameskip")->trigger();
    EXPECT_EQ("True", ReadSetting("Frameskip"));
}

TEST_F(MainWindowTest, StoredSwitchTextsAreConvertedAndGarbageIsIgnored)
{
    WriteSetting("Frameskip", "false");
    WriteSetting("JITComp", "-1");
    ASSERT_TRUE(StartMainWindow());
    EXPECT_FALSE(Action("Frameskip")->isChecked());
    EXPECT_TRUE(Action("JITComp")->isChecked());
    mainWindow->Form_Terminate();
    WriteSetting("Frameskip", "garbage");
    WriteSetting("JITComp", "0");
    ASSERT_TRUE(StartMainWindow());
    EXPECT_TRUE(Action("Frameskip")->isChecked());
    EXPECT_FALSE(Action("JITComp")->isChecked());
}

TEST_F(MainWindowTest, ExitResetsTheConfigurationAndRemovesDefaultNew)
{
    LayOutDemo();
    test::WriteFile(App(kConfigTempFile), "left over");
    ASSERT_TRUE(StartMainWindow());
    const auto linesBefore = ConfigLines().size();
    Action("Programm2")->trigger();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("rw,tmp:" + (folder / "Cache/tmp"), ConfigValue("filesystem="));
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
    EXPECT_EQ(linesBefore, ConfigLines().size());
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    EXPECT_FALSE(test::Exists(folder / "Cache/tmp"));
    // It runs once: a second Exit or close changes nothing.
    test::WriteFile(App(kConfigFile), "filesystem=x\r\n");
    mainWindow->close();
    Action("Programm2")->trigger();
    EXPECT_EQ("filesystem=x\r\n", Config());
}

TEST_F(MainWindowTest, TheCloseBoxRunsTheShutdownAndAMissingConfigurationIsPassedOver)
{
    ASSERT_TRUE(StartMainWindow());
    mainWindow->close();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_FALSE(test::Exists(App(kConfigFile)));
    EXPECT_EQ(0u, host->PendingMessages());
}

TEST_F(MainWindowTest, ACacheFolderThatCannotBeCreatedEndsTheProgramBeforeTheWindowShows)
{
    LayOutDemo();
    test::WriteFile(folder / "Cache", "a file where the cache folder belongs");
    EXPECT_EQ(nullptr, StartMainWindow());
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ("Error creating the cache directory.", message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_EQ("Talvero", message.title);
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
    EXPECT_EQ("rw,tmp:" + (folder / "Cache/tmp"), ConfigValue("filesystem="));
}

TEST_F(MainWindowTest, TheAboutBoxHasElevenLines)
{
    ASSERT_TRUE(StartMainWindow());
    Action("Info")->trigger();
    const MessageBoxRequest about = host->TakeMessage();
    EXPECT_EQ("Info", about.title);
    EXPECT_EQ(MessageIcon::Information, about.icon);
    const QStringList lines = QString::fromStdString(about.text).split("\r\n");
    ASSERT_EQ(11, lines.size());
    EXPECT_EQ("Talvero v1.1", lines[0]);
    EXPECT_TRUE(lines[2].isEmpty() && lines[5].isEmpty() && lines[7].isEmpty() && lines[9].isEmpty());
    EXPECT_TRUE(lines[3].startsWith("eMail: "));
    EXPECT_TRUE(lines[4].startsWith("Homepage: "));
    EXPECT_EQ(QString::fromUtf8("Joypad-Emulation (FakePad) \u00A9 1999 its author"), lines[6]);
    EXPECT_TRUE(lines[8].startsWith("WinUAE-Homepage: "));
    EXPECT_TRUE(lines[10].startsWith("Special thanks to: "));
}

TEST_F(MainWindowTest, MenusOpenTheOtherWindows)
{
    ASSERT_TRUE(StartMainWindow());
    QString opened;
    test::WhenModalOpens([&](QWidget* dialog) {
        opened = dialog->objectName() + (dialog->parentWidget() == mainWindow.get() ? " owned" : "");
        dialog->close();
    });
    Action("Extras1")->trigger();
    EXPECT_EQ("frmNVRAM owned", opened);
    test::WhenModalOpens([&](QWidget* dialog) {
        opened = dialog->objectName() + (dialog->parentWidget() == mainWindow.get() ? " owned" : "");
        dialog->close();
    });
    Action("Programm1")->trigger();
    EXPECT_EQ("frmOptions owned", opened);
    Action("Hilfe1")->trigger();
    Action("Hilfe2")->trigger();
    ASSERT_TRUE(Windows().joypadHelp && Windows().compatibility);
    EXPECT_TRUE(Windows().joypadHelp->isVisible());
    EXPECT_EQ(nullptr, Windows().compatibility->parentWidget());
}

}  // namespace
}  // namespace talvero
