// File services where Linux differs: links, permissions, hidden names, FIFOs and devices, and
// programs holding files.
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
#include "tests/support/TestPlatform.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;
using test::TestFolder;

bool IsLinkAt(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

TEST(PosixFiles, AFileHeldByARunningProgramIsInUse)
{
    TestFolder folder;
    const std::string program = folder / "busy";
    test::WriteFile(program, test::ReadFile("/bin/sleep"));
    ::chmod(program.c_str(), 0755);
    const std::int64_t child = test::StartChild(program, {"30"});
    // Wait (at most 5 s) until the child runs the program, not the test binary it was forked from.
    std::error_code notYet;
    for (int i = 0; i < 250 && std::filesystem::read_symlink("/proc/" + std::to_string(child) + "/exe",
                                                             notYet) != program;
         ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int replacing = ErrorNumberOf([&] { ReplaceFileContents(program, "x"); });
    const int truncating = ErrorNumberOf([&] { WriteFileBytes(program, "x"); });
    test::KillChild(child);
    EXPECT_EQ(70, replacing);
    EXPECT_EQ(70, truncating);
}

// The user's link to the configuration is followed and the file keeps its permissions; any other
// replace puts a file in place of the link.
TEST(PosixFiles, TheConfigurationFollowsALinkOtherReplacesReplaceIt)
{
    TestFolder app, shared;
    const std::string link = app / "WinUAE/Configurations/Default.uae";
    test::MakeFolders(app / "WinUAE/Configurations");
    test::WriteFile(shared / "emulator.uae", "chipset=ocs\r\n");
    ::chmod((shared / "emulator.uae").c_str(), 0640);
    ASSERT_EQ(0, ::symlink((shared / "emulator.uae").c_str(), link.c_str()));
    SetAppFolder(app.path());
    SetConfigValue("chipset=", "aga");
    EXPECT_TRUE(IsLinkAt(link));
    EXPECT_EQ("chipset=aga\r\n", test::ReadFile(shared / "emulator.uae"));
    struct stat st {};
    ASSERT_EQ(0, ::stat(link.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 0777);
    ReplaceFileContents(link, "new");
    EXPECT_FALSE(IsLinkAt(link));
    EXPECT_EQ("new", test::ReadFile(link));
    EXPECT_EQ("chipset=aga\r\n", test::ReadFile(shared / "emulator.uae"));
}

// What may lie on a disc in place of a file: nothing blocks, a device is never read.
TEST(PosixFiles, OnlyRegularFilesAreReadNothingWaitsAndNamesWithADotAreHidden)
{
    TestFolder folder;
    ASSERT_EQ(0, ::mkfifo((folder / "fifo").c_str(), 0644));
    ASSERT_EQ(0, ::symlink("/dev/zero", (folder / "zero").c_str()));
    test::MakeFolders(folder / "folder");
    for (const auto& [name, number] : {std::pair{"fifo", 53}, {"zero", 53}, {"folder", 75}}) {
        EXPECT_EQ(number, ErrorNumberOf([&] { OpenForReadingAndClose(folder / name); })) << name;
        EXPECT_EQ(number, ErrorNumberOf([&] { ReadFileBytes(folder / name); })) << name;
        EXPECT_EQ(number, ErrorNumberOf([&] { ReadFileRange(folder / name, 0, 16); })) << name;
    }
    ReplaceFileContents(folder / "zero", "file");  // in place of the link; the device is left alone
    EXPECT_EQ("file", test::ReadFile(folder / "zero"));
    test::WriteFile(folder / ".hidden", "x");
    ASSERT_EQ(0, ::symlink((folder / "zero").c_str(), (folder / "link").c_str()));
    EXPECT_TRUE(FileExists(folder / "link"));
    EXPECT_FALSE(FileExists(folder / ".hidden"));
}

class PosixGameFiles : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        InsertDemoCd("Akira");
    }
};

TEST_F(PosixGameFiles, AFifoAsTheIdentityAsksForTheCdALinkToADeviceIsAMissingFile)
{
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
// may be a link that the user made (here to a folder on another disk).
TEST_F(PosixGameFiles, ALinkInAFilesPlaceIsReplacedALinkInAFoldersPlaceIsRefused)
{
    TestFolder outside;
    const std::string cache = outside / "cache/";
    test::MakeFolders(outside / "elsewhere");
    test::WriteFile(outside / "victim", "untouched");
    test::MakeFolders(cache);
    test::MakeFolders(folder / "Cache");
    ASSERT_EQ(0, ::symlink(cache.c_str(), (folder / "Cache/akir").c_str()));
    InstallGame("Akira", InstallerOptions{});
    WaitForLaunchLog(1);
    const auto plant = [&](const std::string& relative, const std::string& target) {
        std::filesystem::remove_all(cache + relative);
        ASSERT_EQ(0, ::symlink(target.c_str(), (cache + relative).c_str()));
    };
    ASSERT_TRUE(test::Exists(cache + "s/startup-sequence"));
    plant("s/startup-sequence", outside / "victim");
    InstallGame("Akira", InstallerOptions{});
    WaitForLaunchLog(2);
    EXPECT_FALSE(IsLinkAt(cache + "s/startup-sequence"));
    EXPECT_EQ("untouched", test::ReadFile(outside / "victim"));

    plant("libs", outside / "elsewhere");
    InstallGame("Akira", InstallerOptions{});
    EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);
    EXPECT_TRUE(std::filesystem::is_empty(outside / "elsewhere"));

    test::WriteFile(cache + "nv/Akira/HighScores", "scores");
    plant("nv/Akira/HighScores.bak", outside / "victim");
    EXPECT_TRUE(BackupSaveData("Akira"));
    EXPECT_EQ(kMessageBackupUpdated, host->TakeMessage().text);
    EXPECT_FALSE(IsLinkAt(cache + "nv/Akira/HighScores.bak"));
    EXPECT_EQ("untouched", test::ReadFile(outside / "victim"));

    plant("nv/Akira", outside / "elsewhere");
    test::WriteFile(outside / "elsewhere/HighScores.bak", "planted");
    EXPECT_FALSE(RestoreSaveData(BackupEntry("Akira")));
    EXPECT_EQ(kMessageErrorWritingTo + App("\\Cache\\akir\\nv\\Akira\\HighScores"), host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(outside / "elsewhere/HighScores"));
}

}  // namespace
}  // namespace talvero
