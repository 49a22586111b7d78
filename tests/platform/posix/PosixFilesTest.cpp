// File services where Linux differs: links, permissions, FIFOs and devices, programs holding files,
// starting a program, and the log's private place.
#include "app/StartGame.h"
#include "emulator/ConfigEditor.h"
#include "nvram/NvramManager.h"
#include "nvram/SaveDataTable.h"
#include "platform/ActivityLog.h"
#include "platform/ActivityLogTesting.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/posix/Fifo.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;
using test::Within;
using namespace std::chrono_literals;

// The user's link to the configuration is followed. What may lie on a disc in place of a file:
// nothing blocks, a device is never read.
TEST(PosixFiles, TheConfigurationFollowsALinkAndOnlyRegularFilesAreReadWithoutWaiting)
{
    test::TestFolder folder, app;
    const std::string link = app / "WinUAE/Configurations/Default.uae", file = folder / "emulator.uae";
    test::MakeFolders(app / "WinUAE/Configurations");
    test::WriteFile(file, "chipset=ocs\r\n");
    ASSERT_EQ(0, ::symlink(file.c_str(), link.c_str()));
    SetAppFolder(app.path());
    SetConfigValue("chipset=", "aga");
    EXPECT_TRUE(IsLink(link));
    EXPECT_EQ("chipset=aga\r\n", test::ReadFile(file));

    ASSERT_EQ(0, ::mkfifo((folder / "fifo").c_str(), 0644));
    ASSERT_EQ(0, ::symlink("/dev/zero", (folder / "zero").c_str()));
    for (const auto& [name, number] : {std::pair{"fifo", 53}, {"zero", 53}, {".", 75}}) {
        EXPECT_EQ(number, ErrorNumberOf([&] { OpenForReadingAndClose(folder / name); })) << name;
        EXPECT_EQ(number, ErrorNumberOf([&] { CopyToCacheFile(folder / name, folder / "copy"); })) << name;
        EXPECT_FALSE(FileExists(folder / name)) << name;
    }
    EXPECT_FALSE(test::Exists(folder / "copy"));
}

// Where the kernel cannot copy between the files, the program's buffer does: piece by piece, the
// whole file, its time kept.
TEST(PosixFiles, ACopyTheKernelRefusesGoesThroughTheBufferWhole)
{
    test::TestFolder folder;
    std::string bytes(2 * kCachePieceSize + 12345, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 4099);
    test::WriteFile(folder / "source", bytes);
    faults::SetKernelCopyRefused(true);
    std::vector<std::uint64_t> pieces;
    CopyToCacheFile(folder / "source", folder / "copy", [&](std::uint64_t written) { pieces.push_back(written); });
    faults::SetKernelCopyRefused(false);
    EXPECT_EQ((std::vector<std::uint64_t>{kCachePieceSize, 2 * kCachePieceSize, bytes.size()}), pieces);
    EXPECT_TRUE(bytes == test::ReadFile(folder / "copy"));
    EXPECT_EQ(StampOf(folder / "source")->modified, StampOf(folder / "copy")->modified);
}

// Links planted in a game's cache and save folders lead no write outside; the cache folder itself
// may be a link that the user made (here to a folder on another disk).
class PosixGameFiles : public test::AppFolderTest {};

TEST_F(PosixGameFiles, ALinkInAFilesPlaceIsReplacedALinkInAFoldersPlaceIsRefused)
{
    LayOutDemo();
    InsertDemoCd("Akira");
    test::TestFolder outside;
    const std::string cache = outside / "cache/", victim = outside / "victim",
                      elsewhere = outside / "elsewhere";
    test::WriteFile(elsewhere + "/HighScores.bak", "planted");
    test::MakeFolders(cache);
    test::MakeFolders(folder / "Cache");
    test::WriteFile(victim, "untouched");
    ASSERT_EQ(0, ::symlink(cache.c_str(), (folder / "Cache/akir").c_str()));
    const auto plant = [&](const std::string& relative, const std::string& target) {
        std::filesystem::remove_all(cache + relative);
        ASSERT_EQ(0, ::symlink(target.c_str(), (cache + relative).c_str()));
    };
    StartGame("Akira", {}, [] { return InstallerOptions{}; });
    WaitForLaunchLog(1);

    plant("libs", elsewhere);
    StartGame("Akira", {}, [] { return InstallerOptions{}; });
    EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);

    test::WriteFile(cache + "nv/Akira/HighScores", "scores");
    plant("nv/Akira/HighScores.bak", victim);
    EXPECT_TRUE(BackupSaveData("Akira"));
    EXPECT_EQ(kMessageBackupUpdated, host->TakeMessage().text);
    EXPECT_FALSE(IsLink(cache + "nv/Akira/HighScores.bak"));

    plant("nv/Akira", elsewhere);
    EXPECT_FALSE(RestoreSaveData(BackupEntry("Akira")));
    EXPECT_EQ(kMessageErrorWritingTo + App("\\Cache\\akir\\nv\\Akira\\HighScores"), host->TakeMessage().text);
    const auto planted = std::distance(std::filesystem::directory_iterator(elsewhere), {});
    EXPECT_EQ("untouched", test::ReadFile(victim));
    EXPECT_EQ(1, planted);
}

// A program starts in its own folder without arguments, and the start does not wait for it; a
// missing or unrunnable one fails with its number; a running program's file is in use (70).
TEST(PosixFiles, ProgramsStartInTheirFolderWithoutWaitingOrFailWithTheirNumberAndHoldTheirFile)
{
    test::TestFolder folder;
    test::WriteFile(folder / "emulator.sh", "#!/bin/sh\nsleep 2\necho \"$# $(pwd)\" > s && mv s started\n");
    test::WriteFile(folder / "garbage.exe", std::string("\x7f") + "ELF garbage");
    MarkExecutable(folder / "garbage.exe");
    for (const auto& [program, number] :
         {std::pair{"WinUAE817r3.exe", 53}, std::pair{"WinUAE/WinUAE817r3.exe", 76},
          std::pair{"emulator.sh", 75}, std::pair{"garbage.exe", 57}})
        EXPECT_EQ(number, ErrorNumberOf([&] { StartProcess(folder / program); })) << program;
    MarkExecutable(folder / "emulator.sh");
    const auto before = std::chrono::steady_clock::now();
    StartProcess(folder / "emulator.sh");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));

    const std::string busy = folder / "busy";
    std::filesystem::copy_file("/bin/sleep", busy);
    const std::int64_t child = test::StartChild(busy, {"30"});
    // The child runs the program, not the test binary it was forked from.
    std::error_code notYet;
    EXPECT_TRUE(Within(5s, [&] {
        return std::filesystem::read_symlink("/proc/" + std::to_string(child) + "/exe", notYet) == busy;
    }));
    EXPECT_EQ(70, ErrorNumberOf([&] { ReplaceFileContents(busy, "x"); })) << "replacing a running program";
    test::KillChild(child);
    EXPECT_TRUE(Within(6s, [&] { return test::Exists(folder / "started"); }));
    EXPECT_EQ("0 " + folder.path() + "\n", test::ReadFile(folder / "started"));
}

// The log lives in the user's home (or XDG_STATE_HOME); without one there is no private place and
// no log, never a shared /tmp.
TEST(PosixLog, LivesInAPlaceOfTheUsersOwnOrNowhere)
{
    const auto set = [](const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    };
    // The test program's own, set by PrepareTestProcess.
    const std::string home = std::getenv("HOME"), state = std::getenv("XDG_STATE_HOME");
    const struct {
        const char *state, *home, *folder;
    } rows[] = {{"/s", "/h", "/s/talvero"},
                {"relative", "/h", "/h/.local/state/talvero"},
                {nullptr, nullptr, ""},
                {"relative", "relative", ""}};
    for (const auto& row : rows) {
        set("XDG_STATE_HOME", row.state);
        set("HOME", row.home);
        EXPECT_EQ(row.folder, LogFolder())
            << (row.state ? row.state : "<unset>") << " " << (row.home ? row.home : "<unset>");
    }
    set("XDG_STATE_HOME", state.c_str());
    set("HOME", home.c_str());
}

// What another user may plant at the log's name is never written through and never waited for;
// the folder the log makes is the user's alone, and rotation keeps the previous log.
TEST(PosixLog, NeverWritesThroughALinkNorWaitsForAFifoAndKeepsItsFolderPrivate)
{
    test::TestFolder folder;
    const std::string log = folder / "state/talvero/talvero.log", victim = folder / "victim";
    test::WriteFile(victim, "untouched");
    testing::SetLogFile(log);
    LogLine("first");
    for (const char* made : {"state", "state/talvero"})
        EXPECT_EQ(std::filesystem::perms(0700), std::filesystem::status(folder / made).permissions()) << made;
    EXPECT_NE(std::string::npos, test::ReadFile(log).find("  first\n"));

    std::filesystem::remove(log);
    ASSERT_EQ(0, ::symlink(victim.c_str(), log.c_str()));
    LogLine("through the link");
    EXPECT_EQ("untouched", test::ReadFile(victim));
    EXPECT_TRUE(IsLink(log));

    std::filesystem::remove(log);
    ASSERT_EQ(0, ::mkfifo(log.c_str(), 0666));
    EXPECT_TRUE(test::FinishesWithoutWaiting(log, [] { LogLine("into the FIFO"); }));

    // A full log becomes talvero.log.1, replacing a link there rather than writing through it.
    std::filesystem::remove(log);
    const std::string full(kLogRotationSize, 'x');
    test::WriteFile(log, full);
    ASSERT_EQ(0, ::symlink(victim.c_str(), (log + ".1").c_str()));
    LogLine("after the rotation");
    EXPECT_EQ("untouched", test::ReadFile(victim));
    EXPECT_FALSE(IsLink(log + ".1"));
    EXPECT_EQ(full.size(), test::ReadFile(log + ".1").size());  // the rotation happened
    testing::SetLogFile({});
}

// A started program that ends is collected at once, not left a zombie until the next start, and
// whether it still runs is known all the while.
TEST(PosixProcesses, AnEndedProgramIsCollectedAtOnce)
{
    // A process not yet collected (a zombie) keeps its /proc entry.
    const auto gone = [](std::int64_t pid) { return !test::Exists("/proc/" + std::to_string(pid)); };
    const std::int64_t quick = StartDetachedProcess("/bin/sh", {"-c", "exit 3"});
    EXPECT_TRUE(Within(5s, [&] { return gone(quick); }));
    EXPECT_FALSE(ProcessIsRunning(quick));

    const std::int64_t slow = StartDetachedProcess("/bin/sh", {"-c", "sleep 30"});
    EXPECT_TRUE(ProcessIsRunning(slow));
    ::kill(static_cast<pid_t>(slow), SIGKILL);
    EXPECT_TRUE(Within(5s, [&] { return !ProcessIsRunning(slow); }));
    EXPECT_TRUE(Within(5s, [&] { return gone(slow); }));
}

}  // namespace
}  // namespace talvero
