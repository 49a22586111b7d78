// The main window, driven offscreen through its controls and menus: Start game while it copies.
// What needs a POSIX system (a shell-script emulator, CD images) is in posix/MainWindowPosixTest.
// The rules behind them are tested in the core tests (StartGameTest, SettingsStoreTest, DrivesTest, ...).
#include "app/StartGameProgress.h"
#include "demo/DemoPreviews.h"
#include "platform/FaultHooks.h"
#include "tests/support/GuiTest.h"
#include "ui/WindowRegistry.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

namespace talvero {
namespace {

class MainWindowTest : public test::GuiTest {
protected:
    QListWidget* List() { return Child<QListWidget>(mainWindow.get(), "List1"); }
    // The selected entry, whether Start game is enabled, and what the picture shows.
    void ExpectState(const QString& selected, const char* enabled, const char* showing)
    {
        EXPECT_EQ(selected, Selected(List()));
        ExpectMain("enabled", {{"Command1", enabled}});
        ExpectMain("showing", {{"Image1", showing}});
    }
    void Key(Qt::Key key) { QTest::keyClick(mainWindow->focusWidget(), key); }
};

TEST_F(MainWindowTest, FirstStartCaptionsMenusTheAboutBoxAndThePreviews)
{
    ASSERT_TRUE(StartMainWindow());
    ExpectMain("checked", {{"Frameskip", "true"}, {"JITComp", "false"}, {"Option1", "true"}});
    EXPECT_EQ(26, List()->count());
    ExpectState("", "false", "startup");
    EXPECT_EQ("<absent>", ReadSetting("Frameskip"));
    EXPECT_TRUE(test::Exists(folder / "Cache"));
    EXPECT_EQ("Talvero v1.1", mainWindow->windowTitle().left(12));
    // A caption of each kind of control: label, option, button, menu and its entries.
    ExpectMain("text", {{"Label1", "Show games for:"}, {"Option2", "CDTV"}, {"Command1", "&Start game"},
                        {"JITComp", "Enable &JIT compiler"}});
    ExpectMain("title", {{"Hilfe", "&Help"}});
    ExpectMain("shortcut", {{"Programm1", "Ctrl+O"}, {"Programm2", "Ctrl+Q"}, {"Frameskip", "Ctrl+F"},
                            {"JITComp", "Ctrl+J"}, {"Extras1", "Ctrl+N"}, {"CDImage1", "Ctrl+I"},
                            {"CDImage2", "Ctrl+E"}, {"Hilfe1", "F1"}, {"Hilfe2", "F2"}, {"Info", ""}});
    Action("Info")->trigger();
    const MessageBoxRequest about = host->TakeMessage();
    // Eleven lines; the ones naming persons and addresses are checked by their lead-in only.
    const QRegularExpression lines(
        QString::fromUtf8("^Talvero v1\\.1\r\n.+\r\n\r\neMail: .+\r\nHomepage: .+\r\n\r\nJoypad-Emulation "
                          "\\(FakePad\\) \u00A9 1999 "
                          "its author\r\n\r\nWinUAE-Homepage: .+\r\n\r\nSpecial thanks to: .+$"));
    EXPECT_EQ("Info", about.title);
    EXPECT_EQ(MessageIcon::Information, about.icon);
    EXPECT_TRUE(QString::fromStdString(about.text).contains(lines)) << about.text;
    // Switching systems selects the first entry; a preview that is no picture shows none.
    test::WriteFile(folder / "Previews/Gloom.jpg", "this is not a picture");
    ASSERT_TRUE(WriteTitleCard("Akira", folder / "Previews/Akira.jpg"));
    ASSERT_TRUE(WriteTitleCard("Defender of the Crown 2", folder / "Previews/Defender of the Crown 2.jpg"));
    ClickOn(mainWindow.get(), "Option2");
    EXPECT_EQ(5, List()->count());
    ExpectState("Defender of the Crown 2", "true", "preview");
    ClickOn(mainWindow.get(), "Option1");
    EXPECT_EQ(26, List()->count());
    ExpectState("Akira", "true", "preview");
    Select(List(), "Gloom");
    ExpectState("Gloom", "true", "none");
}

TEST_F(MainWindowTest, TheKeyboardSelectsFocusAloneDoesNotAndEnterStartsTheGame)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    List()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return List()->hasFocus(); }));
    Key(Qt::Key_Return);  // nothing selected, Start game disabled: nothing happens
    ExpectState("", "false", "startup");
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

// Of the option buttons only the checked one is a tab stop, from start-up on and after a click;
// the arrow keys move between them.
TEST_F(MainWindowTest, TheOptionButtonsAreOneTabStopTheCheckedOne)
{
    ASSERT_TRUE(StartMainWindow());
    const auto focused = [this] { return mainWindow->focusWidget()->objectName(); };
    const auto tabStops = [&] {
        List()->setFocus();
        QStringList stops{"List1"};
        for (Key(Qt::Key_Tab); focused() != "List1" && stops.size() < 8; Key(Qt::Key_Tab))
            stops << focused();
        return stops;
    };
    EXPECT_EQ((QStringList{"List1", "Option1", "Command2"}), tabStops());  // Start game waits for a pick
    ClickOn(mainWindow.get(), "Option2");
    EXPECT_EQ((QStringList{"List1", "Command1", "Command2", "Option2"}), tabStops());
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ("Option2", focused());
    Key(Qt::Key_Left);
    EXPECT_EQ("Option1", focused());
    EXPECT_EQ(26, List()->count());  // the arrow key switched to CD32
}

// The switches are stored at once (twice clicked, the program's own spelling shows), read back (an
// unreadable one keeps the default), and reach Start game with the stored drive (StartGameTest has
// the lines they give).
TEST_F(MainWindowTest, TheSwitchesAreStoredReadBackAndTakenByStartGameWithTheOptions)
{
    LayOutDemo();
    for (const auto& [key, value] :
         {std::pair{"Frameskip", "false"}, std::pair{"JITComp", "garbage"}, std::pair{"Drive", "E:"}})
        Settings().Write(key, value);
    ASSERT_TRUE(StartMainWindow());
    ExpectMain("checked", {{"Frameskip", "false"}, {"JITComp", "false"}});
    for (const char* name : {"Frameskip", "Frameskip", "JITComp"})
        Action(name)->trigger();
    EXPECT_EQ("False", ReadSetting("Frameskip"));
    EXPECT_EQ("True", ReadSetting("JITComp"));
    InsertDemoCd("Lemmings", "E");
    ClickOn(mainWindow.get(), "Option2");
    StartFromWindow("Lemmings");
    EXPECT_EQ("1", ConfigValue("gfx_framerate="));
    EXPECT_EQ("2048", ConfigValue("cachesize="));
    WaitForLaunchLog();
}

// The shutdown runs once, from Exit or the close box, and closes every window; a cache folder that
// cannot be created ends the program before the window shows.
TEST_F(MainWindowTest, ExitAndTheCloseBoxRunTheShutdownOnce)
{
    LayOutDemo();
    std::filesystem::remove(folder / "Cache");
    test::WriteFile(folder / "Cache", "a file where the cache folder belongs");
    EXPECT_EQ(nullptr, StartMainWindow());
    host->ExpectMessage("Error creating the cache directory.");
    // The window does not show, and the shutdown ran.
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("rw,tmp:" + (folder / "Cache/tmp"), ConfigValue("filesystem="));
    std::filesystem::remove(folder / "Cache");
    test::WriteFile(App(kConfigFile), "");
    ASSERT_TRUE(StartMainWindow());
    Action("Hilfe1")->trigger();
    Action("Hilfe2")->trigger();
    Action("Programm2")->trigger();  // closes the help windows too, without ending the program at once
    EXPECT_TRUE(QTest::qWaitFor([] { return !Windows().joypadHelp && !Windows().compatibility; }));
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ(0, host->endProgramRequests);
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
    test::WriteFile(App(kConfigFile), "filesystem=x\r\n");
    mainWindow->close();
    Action("Programm2")->trigger();
    EXPECT_EQ("filesystem=x\r\n", Config());
    ASSERT_TRUE(StartMainWindow());
    mainWindow->close();
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_EQ("rw,tmp:" + (folder / "Cache/tmp"), ConfigValue("filesystem="));
}

TEST_F(MainWindowTest, ASlowCopyShowsItsProgressAndCancelStartsNothing)
{
    LayOutDemo();
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
    EXPECT_TRUE(seen.startsWith("Copying \"GunShip 2000\" from the CD:\n")) << seen.toStdString();
    EXPECT_TRUE(seen.endsWith(" late")) << seen.toStdString();
    // Cancel reached the start (StartGameTest has what a cancelled start leaves).
    EXPECT_EQ(0, LogLinesWith("started the emulator"));
    EXPECT_EQ(1, LogLinesWith("cancelled by the user"));
    EXPECT_TRUE(mainWindow->isEnabled());
}

// While the user reads a message before any copy, no empty progress dialog may come up: the
// timer a progress dialog starts when it is made (it shows the dialog after four seconds) is stopped.
TEST_F(MainWindowTest, AStartThatWaitsShowsNoEmptyProgressDialog)
{
    StartGameProgress progress(nullptr);
    QProgressDialog* dialog = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        dialog = window->objectName() == "StartGameProgress" ? qobject_cast<QProgressDialog*>(window) : dialog;
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->isVisible());
    for (const QTimer* timer : dialog->findChildren<QTimer*>())
        EXPECT_FALSE(timer->isActive()) << "a timer would show the empty dialog";
}

using OnboardingWindowTest = test::GuiTest;

QString ToolTipOf(QListWidget* list, const QString& title)
{
    return list->findItems(title, Qt::MatchExactly).value(0)->toolTip();
}

// A game without its data file says so in its tool tip; the first-run notice offers the import,
// which Yes opens. The list stays as it is; the tips follow the files the import brings.
TEST_F(OnboardingWindowTest, MissingDataFilesShowInToolTipsAndTheNoticeOffersTheImport)
{
    ASSERT_TRUE(StartMainWindow());
    auto* list = Child<QListWidget>(mainWindow.get(), "List1");
    EXPECT_EQ("&Import from another Talvero folder...", Action("Import1")->text());
    const QString missing = "The game data file Akira.dat is missing from " +
                            QString::fromStdString(App("\\Data")) +
                            ".\nExtras > Import from another Talvero folder... brings it.";
    EXPECT_EQ(missing, ToolTipOf(list, "Akira"));
    host->AnswerNextQuestion(MessageAnswer::No);
    mainWindow->ShowMissingFilesNotice();
    const MessageBoxRequest notice = host->TakeMessage();
    EXPECT_EQ(MessageIcon::Question, notice.icon);
    EXPECT_TRUE(notice.text.ends_with("\n\nImport the files now from another Talvero folder, such as an "
                                      "existing installation?"))
        << notice.text;
    EXPECT_TRUE(host->fileRequests.empty());

    test::TestFolder other;
    test::MakeFolders(other / "DATA");
    test::WriteFile(other / "DATA/AKIRA.DAT", "akira");
    host->AnswerNextQuestion(MessageAnswer::Yes);
    host->ChooseNextFile(other.path());
    mainWindow->ShowMissingFilesNotice();
    host->TakeMessage();
    ASSERT_EQ(1u, host->fileRequests.size());
    EXPECT_TRUE(host->fileRequests.front().folder);
    EXPECT_EQ(MessageIcon::Information, host->TakeMessage().icon);  // what the import brought
    EXPECT_EQ("", ToolTipOf(list, "Akira"));
    EXPECT_TRUE(ToolTipOf(list, "Gloom").startsWith("The game data file Gloom.dat is missing"));
    EXPECT_EQ(26, list->count());
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

using PreviewScaleTest = test::GuiTest;

// At a scale factor above 1 (also run with QT_SCALE_FACTOR=2) the preview has the screen's pixels.
TEST_F(PreviewScaleTest, ThePreviewIsScaledForTheScreensPixels)
{
    test::MakeFolders(folder / "Previews");
    ASSERT_TRUE(WriteTitleCard("Akira", folder / "Previews/Akira.jpg"));
    ASSERT_TRUE(StartMainWindow());
    Select(Child<QListWidget>(mainWindow.get(), "List1"), "Akira");
    const QPixmap shown = Child<QLabel>(mainWindow.get(), "Image1")->pixmap();
    const qreal ratio = mainWindow->devicePixelRatioF();
    EXPECT_EQ(ratio, shown.devicePixelRatio());
    EXPECT_NEAR(229 * ratio, shown.width(), 1.0);
}

}  // namespace
}  // namespace talvero
