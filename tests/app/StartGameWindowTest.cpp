// Start game from the real main window while it copies and while an emulator runs.
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "tests/support/GuiTest.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

#include <csignal>

namespace talvero {
namespace {

class StartGameWindowTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        // Without the keys that a start sets, every call appends its line: the file shows the order.
        test::WriteFile(App(kConfigFile), "joyport1=kbd2\r\n");
    }
    bool Launched() { return test::Exists(App("\\WinUAE\\launch.log")); }
};

TEST_F(StartGameWindowTest, ASlowCopyShowsItsProgressAndCancelStartsNothing)
{
    InsertDemoCd("GunShip 2000");
    // A slow disc: every step of every copy takes a while.
    faults::SetReplaceHook([](faults::ReplaceStep, const std::string&) { QThread::msleep(30); });
    QString seen;
    QElapsedTimer clock;
    clock.start();
    WhenModalOpens([&](QWidget* dialog) {
        auto* progress = qobject_cast<QProgressDialog*>(dialog);
        ASSERT_TRUE(progress) << "the modal window is no progress dialog";
        seen = progress->labelText() + (clock.elapsed() >= 500 ? " late" : " early");
        // Start game again while the first copies: nothing may happen.
        Child<QPushButton>(mainWindow.get(), "Command1")->click();
        seen += host->PendingMessages() > 0 || Launched() ? " twice" : "";
        progress->findChild<QPushButton*>()->click();
    });
    StartFromWindow("GunShip 2000");
    EXPECT_TRUE(seen.startsWith("Copying \"GunShip 2000\" from the CD:\n") && seen.endsWith(" late")) << seen;
    EXPECT_EQ(0u, host->PendingMessages());
    // Start game's own lines were written, the installer's were not, and no emulator started.
    EXPECT_EQ("2|normal|<absent>", ConfigValue("gfx_framerate=") + "|" + ConfigValue("sound_output=") + "|" +
                                       ConfigValue("filesystem="));
    QTest::qWait(200);
    EXPECT_FALSE(Launched());
    int cached = 0;  // Cancel stops the copies: not every file reached the cache
    for (const std::string& record : DemoCopyRecords(*FindProfile("GunShip 2000")))
        cached += test::Exists(folder / ("Cache/gs2k/" + NativePath(record)));
    EXPECT_LT(cached, 30);
    EXPECT_TRUE(mainWindow->isEnabled());
}

// A user who reads the "insert the CD" message for a while: no empty progress dialog may come up
// over it meanwhile (Qt's own four-second timer would show one).
class SlowReader final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override
    {
        text = request.text;
        QTest::qWait(4500);
        for (QWidget* window : QApplication::topLevelWidgets())
            progressShown |= qobject_cast<QProgressDialog*>(window) && window->isVisible();
        return MessageAnswer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
    void EndProgramNow() override {}
    std::string text;
    bool progressShown = false;
};

TEST_F(StartGameWindowTest, AMessageReadSlowlyShowsNoEmptyProgressDialog)
{
    SlowReader reader;
    SetHost(&reader);
    StartFromWindow("Akira");  // the demo's drive D: holds another game
    SetHost(host.get());
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", reader.text);
    EXPECT_FALSE(reader.progressShown);
}

TEST_F(StartGameWindowTest, WhileTheEmulatorStillRunsStartGameAsksAndNoStartsNothing)
{
    InsertDemoCd("Akira");
    // An emulator that keeps running, and tells its process id at each start.
    const std::string emulator = App("\\WinUAE\\WinUAE817r3.exe");
    test::WriteFile(emulator, "#!/bin/sh\necho $$ >>\"" + (folder / "starts") + "\"\nexec sleep 30\n");
    MarkExecutable(emulator);
    const auto starts = [this] {
        return test::Exists(folder / "starts") ? test::ReadFile(folder / "starts") : "";
    };
    StartFromWindow("Akira");
    ASSERT_TRUE(WaitUntil([&] { return !starts().empty(); }));
    const std::string first = starts(), config = Config();
    host->AnswerNextQuestion(MessageAnswer::No);
    StartFromWindow("Akira");
    const MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("The emulator is still running. Start another one?", question.text);
    EXPECT_TRUE(question.icon == MessageIcon::Question && question.buttons == MessageButtons::YesNo &&
                question.defaultAnswer == MessageAnswer::No);
    EXPECT_EQ(config, Config());
    QTest::qWait(200);
    EXPECT_EQ(first, starts());
    ::kill(std::stoi(first), SIGKILL);
    // Once it has ended, Start game starts the next one without asking.
    ASSERT_TRUE(WaitUntil([] { return !EmulatorStillRunning(); }));
    StartFromWindow("Akira");
    ASSERT_TRUE(WaitUntil([&] { return starts().size() > first.size(); }));
    ::kill(std::stoi(starts().substr(first.size())), SIGKILL);
}

}  // namespace
}  // namespace talvero
