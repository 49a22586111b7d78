// Start game from the real main window while it copies and while an emulator runs.
#include "app/frmMain.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "tests/support/GuiTest.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <csignal>

namespace talvero {
namespace {

using test::Child;

// Without the keys that a start sets, every call appends its line: the file shows the order.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

class StartGameWindowTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        test::WriteFile(App(kConfigFile), kBareConfig);
    }
    void TearDown() override
    {
        faults::SetReplaceHook(nullptr);
        GuiTest::TearDown();
    }
    void Start(const QString& title)
    {
        if (!mainWindow) {
            ASSERT_TRUE(StartMainWindow());
        }
        auto* list = Child<QListWidget>(mainWindow.get(), "List1");
        const auto items = list->findItems(title, Qt::MatchExactly);
        ASSERT_EQ(1, items.size()) << title.toStdString();
        list->setCurrentItem(items.first());
        QTest::mouseClick(Child<QPushButton>(mainWindow.get(), "Command1"), Qt::LeftButton);
    }
};

TEST_F(StartGameWindowTest, ASlowCopyShowsItsProgressAndCancelStartsNothing)
{
    InsertDemoCd("GunShip 2000");
    // A slow disc: every step of every copy takes a while.
    faults::SetReplaceHook([](faults::ReplaceStep, const std::string&) { QThread::msleep(30); });
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
    EXPECT_TRUE(label.startsWith(QStringLiteral("Copying \"GunShip 2000\" from the CD:\n")))
        << label.toStdString();
    EXPECT_FALSE(startedTwice);
    EXPECT_GE(shownAfter, 500);
    EXPECT_EQ(0u, host->PendingMessages());
    // Start game's own lines were written, the installer's were not, and no emulator started.
    EXPECT_EQ((std::vector<std::string>{"kickstart_rom_file=kick31.rom", "joyport1=kbd2", "gfx_framerate=2",
                                        "cachesize=0", "chipset=aga", "gfx_immediate_blits=false",
                                        "hardfile=", "win32.map_drives=true", "sound_output=normal"}),
              ConfigLines());
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

TEST_F(StartGameWindowTest, WhileTheEmulatorStillRunsStartGameAsksAndNoStartsNothing)
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
