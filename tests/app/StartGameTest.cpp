// Start game end to end: the real main window, real files, the stand-in emulator started for real.
#include "app/frmMain.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/Files.h"
#include "tests/support/GuiTest.h"

#include <QAction>
#include <QListWidget>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <filesystem>

namespace talvero {
namespace {

using test::Child;

// Without the keys that a start sets, every call appends its line: the file shows the order.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

class StartGameTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        test::WriteFile(App(kConfigFile), kBareConfig);
    }
    void Start(const QString& title, bool cdtv = false)
    {
        if (!mainWindow) {
            ASSERT_TRUE(StartMainWindow());
        }
        if (cdtv)
            QTest::mouseClick(Child<QRadioButton>(mainWindow.get(), "Option2"), Qt::LeftButton);
        auto* list = Child<QListWidget>(mainWindow.get(), "List1");
        const auto items = list->findItems(title, Qt::MatchExactly);
        ASSERT_EQ(1, items.size()) << title.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
        ASSERT_EQ(title, list->selectedItems().first()->text());
        QTest::mouseClick(Child<QPushButton>(mainWindow.get(), "Command1"), Qt::LeftButton);
    }
    std::vector<std::string> StartLines(bool frameskip, bool jit, bool sound) const
    {
        std::vector<std::string> lines = {"kickstart_rom_file=kick31.rom", "joyport1=kbd2",
                                          frameskip ? "gfx_framerate=2" : "gfx_framerate=1",
                                          jit ? "cachesize=2048" : "cachesize=0", "chipset=aga",
                                          "gfx_immediate_blits=false", "hardfile=", "win32.map_drives=true"};
        if (sound)
            lines.push_back("sound_output=normal");
        return lines;
    }
};

TEST_F(StartGameTest, ACd32GameStartsWithTheLinesInOrderAndItsCacheBuilt)
{
    InsertDemoCd("Akira");
    Start("Akira");
    EXPECT_EQ(0u, host->PendingMessages());
    auto expected = StartLines(true, false, true);
    expected.push_back("filesystem=rw,0:" + (folder / "Cache/akir"));
    EXPECT_EQ(expected, ConfigLines());
    EXPECT_TRUE(test::Exists(folder / "Cache/akir/libs/nonvolatile.library"));
    EXPECT_EQ("0:nv", test::ReadFile(folder / "Cache/akir/prefs/env-archive/sys/nv_location"));
    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: WinUAE817r3.exe\n")) << log;
    EXPECT_NE(std::string::npos, log.find("check startup-sequence: ok")) << log;
    EXPECT_NE(std::string::npos, log.find("result: ok\n")) << log;
    EXPECT_EQ("Akira", Child<QListWidget>(mainWindow.get(), "List1")->selectedItems().first()->text());
}

TEST_F(StartGameTest, ACdtvGamesOwnLinesOverrideStartGamesLines)
{
    InsertDemoCd("Lemmings");
    Start("Lemmings", true);
    EXPECT_EQ(0u, host->PendingMessages());
    auto expected = StartLines(true, false, true);
    expected[4] = "chipset=ocs";
    expected.push_back("filesystem=rw,0:" + (folder / "Cache/lemm"));
    EXPECT_EQ(expected, ConfigLines());
    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: WinUAE817r3.exe\n")) << log;
    EXPECT_NE(std::string::npos, log.find("line: chipset=ocs\n")) << log;
    EXPECT_NE(std::string::npos, log.find("result: ok\n")) << log;
}

TEST_F(StartGameTest, DefenderOfTheCrownRunsTheSameProfileFromBothLists)
{
    InsertDemoCd("Defender of the Crown 2");
    Start("Defender of the Crown 2");
    WaitForLaunchLog(1);
    Start("Defender of the Crown 2", true);
    const std::string log = WaitForLaunchLog(2);
    EXPECT_EQ(std::string::npos, log.find("WinUAE817r3.exe")) << log;
    EXPECT_EQ("exact", ConfigValue("sound_output="));
    EXPECT_EQ("rw,0:" + (folder / "Cache/def2"), ConfigValue("filesystem="));
    EXPECT_EQ(0u, host->PendingMessages());
}

TEST_F(StartGameTest, FrameskipOffAndJitOnAndSoundOff)
{
    InsertDemoCd("Akira");
    WriteSetting("SndEmu", "0");
    ASSERT_TRUE(StartMainWindow());
    Child<QAction>(mainWindow.get(), "Frameskip")->trigger();
    Child<QAction>(mainWindow.get(), "JITComp")->trigger();
    Start("Akira");
    auto expected = StartLines(false, true, false);
    expected.push_back("filesystem=rw,0:" + (folder / "Cache/akir"));
    EXPECT_EQ(expected, ConfigLines());
    WaitForLaunchLog();
}

TEST_F(StartGameTest, NoCdAnotherGamesCdOrAFolderAskForTheCdWithTheLinesWritten)
{
    ASSERT_TRUE(StartMainWindow());
    Start("Akira");
    MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", message.text);
    EXPECT_EQ(MessageIcon::Exclamation, message.icon);
    EXPECT_EQ("Talvero", message.title);
    EXPECT_EQ(StartLines(true, false, true), ConfigLines());
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));

    InsertDemoCd("Gloom");
    Start("Akira");
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", host->TakeMessage().text);

    test::MakeFolders(folder / "Drives/D/Alien Breed");
    test::MakeFolders(folder / "Drives/D/ab.exec");
    Start("Alien Breed Special Edition '92");
    EXPECT_EQ("Please insert the \"Alien Breed Special Edition '92\"-CD first!", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
}

TEST_F(StartGameTest, ADriveSettingWithABackslashUsesItsFirstTwoCharacters)
{
    WriteSetting("Drive", "E:\\");
    InsertDemoCd("Gloom", "E");
    Start("Gloom");
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_TRUE(test::Exists(folder / "Cache/glom/s/startup-sequence"));
    WaitForLaunchLog();
}

TEST_F(StartGameTest, AMissingConfigurationFileSaysSoInsteadOfAskingForTheCd)
{
    InsertDemoCd("Akira");
    std::filesystem::remove(App(kConfigFile));
    Start("Akira");
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(kMessageImportantFileNotFound, message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_EQ(0, host->endProgramRequests);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
    EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(StartGameTest, AReadOnlyConfigurationFileIsAWriteError)
{
    InsertDemoCd("Akira");
    test::MakeReadOnly(App(kConfigFile));
    Start("Akira");
    EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);
    EXPECT_EQ(kBareConfig, Config());
}

TEST_F(StartGameTest, ASlowCopyShowsItsProgressAndCancelStartsNothing)
{
    InsertDemoCd("GunShip 2000");
    // A slow disc: every step of every copy takes a while.
    talvero::testing::SetReplaceFaultHook([](const std::string&) { QThread::msleep(30); });
    QString label;
    bool startedTwice = false;
    qint64 shownAfter = 0;
    QElapsedTimer clock;
    clock.start();
    test::WhenModalOpens([&](QWidget* dialog) {
        shownAfter = clock.elapsed();
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        ASSERT_TRUE(progress) << "the modal window is no progress dialog";
        label = progress->labelText();
        // Start game again while the first copies: nothing may happen.
        Child<QPushButton>(mainWindow.get(), "Command1")->click();
        startedTwice = host->PendingMessages() > 0 || test::Exists(App("\\WinUAE\\launch.log"));
        progress->findChild<QPushButton*>()->click();
    });
    Start("GunShip 2000");
    EXPECT_TRUE(label.startsWith(QStringLiteral("Copying \"GunShip 2000\" from the CD:\n"))) << label.toStdString();
    EXPECT_FALSE(startedTwice);
    EXPECT_GE(shownAfter, 500);
    EXPECT_EQ(0u, host->PendingMessages());
    // Start game's own lines were written, the installer's were not, and no emulator started.
    EXPECT_EQ(StartLines(true, false, true), ConfigLines());
    QTest::qWait(200);
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
    // Every file in the cache is whole; the rest were never started.
    int whole = 0;
    for (const std::string& record : DemoCopyRecords(*FindProfile("GunShip 2000"))) {
        const std::string cached = folder / ("Cache/gs2k/" + NativePath(record));
        if (test::Exists(cached)) {
            EXPECT_EQ(test::ReadFile(PathOnDrive("D:", "\\" + record)), test::ReadFile(cached)) << record;
            ++whole;
        }
    }
    EXPECT_LT(whole, 30);
    EXPECT_TRUE(mainWindow->isEnabled());
}

TEST_F(StartGameTest, WhileTheEmulatorStillRunsStartGameAsksAndNoStartsNothing)
{
    InsertDemoCd("Akira");
    // An emulator that keeps running, and tells its process id and each start.
    const std::string emulator = App("\\WinUAE\\WinUAE817r3.exe");
    test::WriteFile(emulator, "#!/bin/sh\necho $$ >>\"" + (folder / "starts") + "\"\nexec sleep 30\n");
    MarkExecutable(emulator);
    Start("Akira");
    ASSERT_TRUE(test::WaitUntil([&] { return test::Exists(folder / "starts"); }));
    const std::string config = Config();
    host->AnswerNextQuestion(MessageAnswer::No);
    Start("Akira");
    const MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("The emulator is still running. Start another one?", question.text);
    EXPECT_EQ(MessageIcon::Question, question.icon);
    EXPECT_EQ(MessageButtons::YesNo, question.buttons);
    EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
    EXPECT_EQ(config, Config());
    QTest::qWait(200);
    const std::string starts = test::ReadFile(folder / "starts");
    EXPECT_EQ(1, std::count(starts.begin(), starts.end(), '\n'));
    ::kill(std::stoi(starts), SIGKILL);
    // Once it has ended, Start game starts the next one without asking.
    ASSERT_TRUE(test::WaitUntil([] { return !EmulatorStillRunning(); }));
    Start("Akira");
    EXPECT_TRUE(test::WaitUntil([&] { return test::ReadFile(folder / "starts").size() > starts.size(); }));
    const std::string again = test::ReadFile(folder / "starts");
    ::kill(std::stoi(again.substr(starts.size())), SIGKILL);
}

}  // namespace
}  // namespace talvero
