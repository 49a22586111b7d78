// File services where Linux differs: links, permissions, hidden names, programs holding files.
#include "emulator/ConfigEditor.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;

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
    ASSERT_EQ(0, ::symlink((shared / "emulator.uae").c_str(), (app / "WinUAE/Configurations/Default.uae").c_str()));
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

}  // namespace
}  // namespace talvero
