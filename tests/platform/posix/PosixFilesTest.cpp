// File services where Linux differs: links, permissions, hidden names, programs holding files.
#include "app/StartGame.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "games/GameProfiles.h"
#include "nvram/NvramManager.h"
#include "nvram/SaveDataTable.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/TestFolder.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;
using test::TestFolder;

TEST(PosixFiles, AFileHeldByARunningProgramIsInUse)
{
    test::TestFolder folder;
    const std::string program = folder / "busy";
    test::WriteFile(program, test::ReadFile("/bin/sleep"));
    ::chmod(program.c_str(), 0755);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(program.c_str(), program.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Wait (at most 5 s) until the child runs the program, not the test binary it was forked from.
    const std::string exe = "/proc/" + std::to_string(child) + "/exe";
    std::error_code notYet;
    for (int i = 0; i < 250 && std::filesystem::read_symlink(exe, notYet).string() != program; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int replacing = ErrorNumberOf([&] { ReplaceFileContents(program, "x"); });
    const int truncating = ErrorNumberOf([&] { WriteFileBytes(program, "x"); });
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(70, replacing);
    EXPECT_EQ(70, truncating);
}

TEST(PosixFiles, TheReplaceGoesThroughLinksAndKeepsPermissions)
{
    test::TestFolder app, shared;
    test::MakeFolders(app / "WinUAE/Configurations");
    test::WriteFile(shared / "emulator.uae", "chipset=ocs\r\n");
    ::chmod((shared / "emulator.uae").c_str(), 0640);
    ASSERT_EQ(
        0, ::symlink((shared / "emulator.uae").c_str(), (app / "WinUAE/Configurations/Default.uae").c_str()));
    SetAppFolder(app.path());
    SetConfigValue("chipset=", "aga");
    EXPECT_EQ("chipset=aga\r\n", test::ReadFile(shared / "emulator.uae"));
    struct stat st {};
    ASSERT_EQ(0, ::lstat((app / "WinUAE/Configurations/Default.uae").c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(0, ::stat((shared / "emulator.uae").c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 0777);
}

TEST(PosixFiles, LinksToFilesExistNamesWithADotAreHidden)
{
    test::TestFolder folder;
    test::WriteFile(folder / "plain", "x");
    test::WriteFile(folder / ".hidden", "x");
    ::symlink((folder / "plain").c_str(), (folder / "link").c_str());
    EXPECT_TRUE(FileExists(folder / "link"));
    EXPECT_FALSE(FileExists(folder / ".hidden"));
}

TEST(ReplaceFileContents, FollowsALinkOnlyWhenAskedOtherwiseReplacesIt)
{
    for (const LinkAtTarget link : {LinkAtTarget::Follow, LinkAtTarget::Replace}) {
        TestFolder folder;
        test::MakeFolders(folder / "real");
        test::WriteFile(folder / "real/Default.uae", "old");
        ::symlink((folder / "real/Default.uae").c_str(), (folder / "Default.uae").c_str());
        ReplaceFileContents(folder / "Default.uae", "new", link);
        struct stat st {};
        ASSERT_EQ(0, ::lstat((folder / "Default.uae").c_str(), &st));
        EXPECT_EQ(link == LinkAtTarget::Follow, S_ISLNK(st.st_mode));
        EXPECT_EQ(link == LinkAtTarget::Follow ? "new" : "old", test::ReadFile(folder / "real/Default.uae"));
        EXPECT_EQ("new", test::ReadFile(folder / "Default.uae"));
    }
}

// What may lie on a disc in place of a file: nothing blocks, a device is never read.
TEST(ReadingFiles, OnlyRegularFilesAreReadAndNothingWaits)
{
    TestFolder folder;
    ASSERT_EQ(0, ::mkfifo((folder / "fifo").c_str(), 0644));
    ASSERT_EQ(0, ::symlink("/dev/zero", (folder / "zero").c_str()));
    test::MakeFolders(folder / "folder");
    const std::pair<const char*, int> cases[] = {{"fifo", 53}, {"zero", 53}, {"folder", 75}};
    for (const auto& [name, number] : cases) {
        EXPECT_EQ(number, ErrorNumberOf([&] { OpenForReadingAndClose(folder / name); })) << name;
        EXPECT_EQ(number, ErrorNumberOf([&] { ReadFileBytes(folder / name); })) << name;
        EXPECT_EQ(number, ErrorNumberOf([&] { ReadFileRange(folder / name, 0, 16); })) << name;
    }
    // A replace puts a file in place of a link to a device; the device is left alone.
    ReplaceFileContents(folder / "zero", "file");
    EXPECT_EQ("file", test::ReadFile(folder / "zero"));
}

class NotAFileOnTheCd : public test::AppFolderTest {};

TEST_F(NotAFileOnTheCd, AFifoAsTheIdentityAsksForTheCdALinkToADeviceIsAMissingFile)
{
    LayOutDemo();
    InsertDemoCd("Akira");
    const GameProfile& akira = *FindProfile("Akira");
    const std::string identity = PathOnDrive("D:", akira.identityFile);
    ASSERT_EQ(0, ::unlink(identity.c_str()));
    ASSERT_EQ(0, ::mkfifo(identity.c_str(), 0644));
    StartGame("Akira", Switches{}, [] { return InstallerOptions{}; });
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", host->TakeMessage().text);

    const std::string copied = PathOnDrive("D:", "\\" + DemoCopyRecords(akira).front());
    ASSERT_EQ(0, ::unlink(copied.c_str()));
    ASSERT_EQ(0, ::symlink("/dev/zero", copied.c_str()));
    InstallGame("Akira", InstallerOptions{});
    EXPECT_EQ(kMessageImportantFileNotFound, host->TakeMessage().text);
}

// Links planted in a game's cache and save folders lead no write outside; the cache folder itself
// may be a link that the user made.
class PlantedLinks : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        InsertDemoCd("Akira");
        test::MakeFolders(outside / "elsewhere");
        test::WriteFile(outside / "victim", "untouched");
        test::MakeFolders(outside / "cache");
        test::MakeFolders(folder / "Cache");
        // The user keeps Akira's cache on another disk.
        ASSERT_EQ(0, ::symlink((outside / "cache").c_str(), (folder / "Cache/akir").c_str()));
        InstallGame("Akira", InstallerOptions{});
        WaitForLaunchLog(1);
    }
    void Plant(const std::string& relative, const std::string& target)
    {
        ::unlink((outside / ("cache/" + relative)).c_str());
        std::filesystem::remove_all(outside / ("cache/" + relative));
        ASSERT_EQ(0, ::symlink(target.c_str(), (outside / ("cache/" + relative)).c_str()));
    }
    bool IsLink(const std::string& relative)
    {
        struct stat st {};
        return ::lstat((outside / ("cache/" + relative)).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    }
    TestFolder outside;
};

TEST_F(PlantedLinks, ALinkInAFilesPlaceIsReplacedALinkInAFoldersPlaceIsRefused)
{
    EXPECT_TRUE(test::Exists(outside / "cache/s/startup-sequence"));
    Plant("s/startup-sequence", outside / "victim");
    InstallGame("Akira", InstallerOptions{});
    WaitForLaunchLog(2);
    EXPECT_FALSE(IsLink("s/startup-sequence"));
    EXPECT_EQ("untouched", test::ReadFile(outside / "victim"));

    Plant("libs", outside / "elsewhere");
    InstallGame("Akira", InstallerOptions{});
    EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);
    EXPECT_TRUE(std::filesystem::is_empty(outside / "elsewhere"));

    test::MakeFolders(outside / "cache/nv/Akira");
    test::WriteFile(outside / "cache/nv/Akira/HighScores", "scores");
    Plant("nv/Akira/HighScores.bak", outside / "victim");
    EXPECT_TRUE(BackupSaveData("Akira"));
    EXPECT_EQ(kMessageBackupUpdated, host->TakeMessage().text);
    EXPECT_FALSE(IsLink("nv/Akira/HighScores.bak"));
    EXPECT_EQ("untouched", test::ReadFile(outside / "victim"));

    Plant("nv/Akira", outside / "elsewhere");
    test::WriteFile(outside / "elsewhere/HighScores.bak", "planted");
    EXPECT_FALSE(RestoreSaveData(BackupEntry("Akira")));
    EXPECT_EQ(kMessageErrorWritingTo + App("\\Cache\\akir\\nv\\Akira\\HighScores"), host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(outside / "elsewhere/HighScores"));
}

}  // namespace
}  // namespace talvero
