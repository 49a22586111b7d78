// Start game on real files: the lines every start writes, the CD check, the hand-over, what a
// start came to; two starts at once; the shutdown.
#include "app/StartGame.h"

#include "app/Shutdown.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "platform/FaultHooks.h"
#include "settings/SettingsStore.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/FileWorker.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

namespace talvero {
namespace {

// Without the keys that a start sets, every call appends its line: the file shows the order.
const std::string kBareConfig = "joyport1=kbd2\r\n";

class StartGameTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Cache");
        test::WriteFile(App(kConfigFile), kBareConfig);
    }
    StartResult Start(const std::string& title, Switches switches = {}, InstallerOptions options = {},
                      InstallProgress* progress = nullptr)
    {
        return StartGame(title, switches, [options] { return options; }, progress);
    }
};

// The switches give the start's lines, in order before the installer's own; the installer writes
// the sound line only with sound emulation.
TEST_F(StartGameTest, TheStartsLinesComeBeforeTheInstallersOwn)
{
    InsertDemoCd("Dark Seed", "E");
    EXPECT_EQ(StartResult::Started, Start("Dark Seed", {false, true}, {"E:", false}));
    EXPECT_EQ(kBareConfig +
                  "gfx_framerate=1\r\ncachesize=2048\r\nchipset=aga\r\ngfx_immediate_blits=false\r\n"
                  "hardfile=\r\nwin32.map_drives=true\r\nfilesystem=rw,0:" +
                  (folder / "Cache/dark") + "\r\n",
              Config());
    WaitForLaunchLog();
    EXPECT_EQ(1, LogLinesWith("started the emulator"));
}

// The options as the options dialog loads them: its defaults, its conversions, the drive cut from
// the field.
TEST_F(StartGameTest, TheStoredOptionsAreTheDialogsDriveAndSoundBox)
{
    Settings().Write(SettingKey::Drive, "e:\\");
    Settings().Write(SettingKey::SndEmu, "0");
    const InstallerOptions options = StoredStartOptions();
    EXPECT_EQ("e:", options.drive);
    EXPECT_FALSE(options.soundEmulation);
    Settings().Write(SettingKey::SndEmu, "2");  // no state of the box: it keeps its first state
    EXPECT_TRUE(StoredStartOptions().soundEmulation);
}

// A configuration that cannot be written says so (before any word about the CD), keeps Default.uae
// and the program running; without its CD the lines stay written and the game's CD is asked for.
TEST_F(StartGameTest, WithAConfigurationThatCannotBeWrittenOrWithoutItsCdNothingStarts)
{
    faults::SetReplaceHook([](faults::ReplaceStep, const std::string&) {
        throw FileError(ErrorNumber::DiskFull, "disk full");  // any number but 53, 75 and 76
    });
    EXPECT_EQ(StartResult::Failed, Start("Akira"));
    host->ExpectMessage("Error writing to a file!");
    faults::SetReplaceHook(nullptr);
    test::MakeReadOnly(App(kConfigFile));
    EXPECT_EQ(StartResult::Failed, Start("Akira"));
    host->ExpectMessage("Error writing to a file!");
    EXPECT_EQ(kBareConfig, Config());
    test::MakeWritable(App(kConfigFile));
    EXPECT_EQ(StartResult::CdMissing, Start("Akira"));
    host->ExpectMessage("Please insert the \"Akira\"-CD first!", MessageIcon::Exclamation);
    EXPECT_EQ("aga", ConfigValue("chipset="));
    EXPECT_EQ(StartResult::NoSuchGame, Start(""));
    std::filesystem::remove(App(kConfigFile));
    EXPECT_EQ(StartResult::Failed, Start("Akira"));
    host->ExpectMessage("Important file not found. Can't start the selected game!");
    EXPECT_EQ(0, host->endProgramRequests);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
}

// An emulator that cannot be started is a failure, not a start; an unknown failure ends the program.
TEST_F(StartGameTest, AnEmulatorThatDoesNotStartIsNoStart)
{
    InsertDemoCd("Akira");
    std::filesystem::remove(App("\\WinUAE\\WinUAE817r3.exe"));
    EXPECT_EQ(StartResult::Failed, Start("Akira"));
    host->ExpectMessage(kMessageImportantFileNotFound);
    test::WriteFile(App("\\Data\\Akira.dat"), "");  // fewer records than copies: 62
    EXPECT_EQ(StartResult::ProgramEnded, Start("Akira"));
    host->ExpectMessage(kMessageUnknownError + std::string("62"));
    EXPECT_EQ(1, host->endProgramRequests);
    host->endProgramRequests = 0;
    EXPECT_EQ(0, LogLinesWith("started the emulator"));
}

// Cancel pressed while the dialog says "Starting ...": the support files, the game's lines and the
// emulator do not follow, and no install is recorded as complete.
TEST_F(StartGameTest, ACancelWhileStartingStopsBeforeTheRest)
{
    struct CancelWhenStarting final : InstallProgress {
        void Report(const std::string&, const std::string& file, std::uint64_t, std::uint64_t) override
        {
            starting = starting || file.empty();
        }
        bool Cancelled() override { return starting; }
        bool starting = false;
    } progress;
    const GameProfile& ufo = *FindProfile("UFO - Enemy Unknown");
    InsertDemoCd(ufo.title);
    EXPECT_EQ(StartResult::Cancelled, Start(ufo.title, {}, {}, &progress));
    EXPECT_TRUE(progress.starting);
    EXPECT_EQ("<absent>", ConfigValue("filesystem="));
    EXPECT_FALSE(test::Exists(folder / "Cache/ufo1/libs/lowlevel.library"));
    EXPECT_FALSE(test::Exists(InstalledInBootFile(CacheFolderPath(ufo))));
    EXPECT_FALSE(AnyEmulatorStillRunning());
}

// The question before a second emulator comes only when the running one uses the same cache; No
// is answered before anything is written or started, and the log says so.
TEST_F(StartGameTest, TheSecondEmulatorQuestionComesOnlyForTheSameCache)
{
    if (!test::EmulatorScriptsRun())
        GTEST_SKIP() << "needs an emulator that keeps running (a shell script)";
    const std::string starts = EmulatorsThatKeepRunning();
    InsertDemoCd("Akira", "D");
    InsertDemoCd("Lemmings", "E");
    EXPECT_EQ(StartResult::Started, Start("Akira"));
    EXPECT_EQ(StartResult::Started, Start("Lemmings", {}, {"E:", true}));  // no question
    host->AnswerNextQuestion(MessageAnswer::No);
    const std::string config = Config();
    EXPECT_EQ(StartResult::Declined, Start("Akira"));
    const MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("The emulator is still running. Start another one?", question.text);
    EXPECT_EQ(MessageButtons::YesNo, question.buttons);
    EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
    EXPECT_EQ(config, Config());
    EXPECT_EQ(1, LogLinesWith("still runs; nothing started"));
    EXPECT_EQ(2, LogLinesWith("started the emulator"));
    // Each emulator notes its process once it runs, so that the fixture can end both afterwards.
    EXPECT_TRUE(test::Within(std::chrono::seconds(10), [&] {
        return test::Exists(starts) && std::ranges::count(test::ReadFile(starts), '\n') == 2;
    }));
}

// Two programs start a game each, round after round, at once: the emulator of each start reads
// its own start's lines and its own game's, never the other's.
TEST_F(StartGameTest, TwoStartsAtOnceGiveEachEmulatorOnlyItsOwnLines)
{
    if (!test::EmulatorScriptsRun())
        GTEST_SKIP() << "needs a system that tells when the emulator reads its configuration";
    InsertDemoCd("Akira", "D");
    InsertDemoCd("Lemmings", "E");
    const int rounds = 6;
    const auto akira = test::StartFileWorker({"starts", folder.path(), "Akira", "D:", "0", "1", "1", "6"});
    const auto lemmings = test::StartFileWorker({"starts", folder.path(), "Lemmings", "E:", "1", "0", "1", "6"});
    EXPECT_EQ(0, test::WaitForChild(akira));
    EXPECT_EQ(0, test::WaitForChild(lemmings));
    // Each launch record of the stand-in, as the lines it read.
    std::map<std::string, int> seen;
    std::istringstream log(WaitForLaunchLog(2 * rounds));
    std::string line, lines;
    while (std::getline(log, line)) {
        for (const char* key : {"cachesize=", "chipset=", "filesystem=", "gfx_framerate="}) {
            if (line.starts_with(std::string("line: ") + key))
                lines += line.substr(6) + " ";
        }
        if (line.starts_with("result: ")) {
            ++seen[lines];
            lines.clear();
        }
    }
    // The stand-in lists its lines by key; Lemmings sets chipset=ocs itself.
    const std::string akiraLines =
        "cachesize=2048 chipset=aga filesystem=rw,0:" + (folder / "Cache/akir") + " gfx_framerate=1 ";
    const std::string lemmingsLines =
        "cachesize=0 chipset=ocs filesystem=rw,0:" + (folder / "Cache/lemm") + " gfx_framerate=2 ";
    EXPECT_EQ((std::map<std::string, int>{{akiraLines, rounds}, {lemmingsLines, rounds}}), seen);
}

// The shutdown resets its lines and removes a leftover Default.new only in its own turn: while a
// start holds the turn (and may be writing Default.new), it waits. Default.new goes even when the
// lines cannot be written.
TEST_F(StartGameTest, TheShutdownWaitsForTheTurnOfAStartAndRemovesDefaultNewEvenWhenItCannotWrite)
{
    std::optional<ConfigurationTurn> start(std::in_place);
    test::WriteFile(App(kConfigTempFile), "a start's new configuration");
    std::atomic<bool> done = false;
    std::thread shutdown([&] {
        ResetConfigurationAtShutdown();
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(done);
    EXPECT_TRUE(test::Exists(App(kConfigTempFile)));
    start.reset();
    shutdown.join();
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    EXPECT_EQ(kBareConfig + "filesystem=rw,tmp:" + (folder / "Cache/tmp") + "\r\nwin32.map_drives=false\r\n",
              Config());
    test::WriteFile(App(kConfigTempFile), "left over");
    test::MakeReadOnly(App(kConfigFile));
    ResetConfigurationAtShutdown();
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

}  // namespace
}  // namespace talvero
