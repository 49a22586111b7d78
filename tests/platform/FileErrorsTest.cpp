// The file-error numbering on real files: 53, 76, 75, 70 and 62.
#include "platform/FileError.h"
#include "platform/Files.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvero {
namespace {

using test::TestFolder;

template <typename Operation>
int ErrorNumberOf(Operation operation)
{
    try {
        operation();
    } catch (const FileError& error) {
        return error.number();
    }
    return 0;
}

TEST(FileErrors, MissingFileInExistingFolderIsFileNotFound)
{
    TestFolder folder;
    EXPECT_EQ(53, ErrorNumberOf([&] { ReadFileBytes(folder / "missing.uae"); }));
    EXPECT_EQ(53, ErrorNumberOf([&] { RemoveFile(folder / "missing.uae"); }));
    EXPECT_EQ(53, ErrorNumberOf([&] { FileSize(folder / "missing.uae"); }));
}

TEST(FileErrors, MissingFolderOnThePathIsPathNotFound)
{
    TestFolder folder;
    EXPECT_EQ(76, ErrorNumberOf([&] { ReadFileBytes(folder / "no/such/file"); }));
    EXPECT_EQ(76, ErrorNumberOf([&] { WriteFileBytes(folder / "no/such/file", "x"); }));
    EXPECT_EQ(76, ErrorNumberOf([&] { ReplaceFileContents(folder / "no/file", "x"); }));
    EXPECT_EQ(76, ErrorNumberOf([&] { CreateFolder(folder / "no/child"); }));
}

TEST(FileErrors, AFileWhereAFolderIsExpectedIsPathNotFound)
{
    TestFolder folder;
    test::WriteFile(folder / "plain", "x");
    EXPECT_EQ(76, ErrorNumberOf([&] { ReadFileBytes(folder / "plain/inside"); }));
}

TEST(FileErrors, AFolderWhereAFileIsWantedIsAccessError)
{
    TestFolder folder;
    test::MakeFolders(folder / "dir");
    EXPECT_EQ(75, ErrorNumberOf([&] { ReadFileBytes(folder / "dir"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { WriteFileBytes(folder / "dir", "x"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { ReplaceFileContents(folder / "dir", "x"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { OpenForReadingAndClose(folder / "dir"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { RemoveFile(folder / "dir"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { CreateFolder(folder / "dir"); }));
}

TEST(FileErrors, ReadOnlyFileIsAccessErrorAndStaysAsItWas)
{
    TestFolder folder;
    const std::string file = folder / "Default.uae";
    test::WriteFile(file, "chipset=aga\r\n");
    test::MakeReadOnly(file);
    EXPECT_EQ(75, ErrorNumberOf([&] { WriteFileBytes(file, "new"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { ReplaceFileContents(file, "new"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { WriteByteAt(file, 0, 'X'); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { RemoveFile(file); }));
    EXPECT_EQ("chipset=aga\r\n", test::ReadFile(file));
}

TEST(FileErrors, ReadOnlyFolderRefusesNewFilesWithAccessError)
{
    if (!test::PermissionsAreEnforced())
        GTEST_SKIP() << "running with root privileges";
    TestFolder folder;
    test::MakeFolders(folder / "locked");
    test::MakeReadOnly(folder / "locked");
    EXPECT_EQ(75, ErrorNumberOf([&] { WriteFileBytes(folder / "locked/new", "x"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { ReplaceFileContents(folder / "locked/new", "x"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { CreateFolder(folder / "locked/sub"); }));
}

TEST(FileErrors, FileHeldByARunningProgramIsPermissionDenied)
{
    TestFolder folder;
    const std::string program = folder / "busy";
    test::WriteFile(program, test::ReadFile("/bin/sleep"));
    ::chmod(program.c_str(), 0755);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(program.c_str(), program.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::usleep(200000);
    const int number = ErrorNumberOf([&] { ReplaceFileContents(program, "x"); });
    const int truncating = ErrorNumberOf([&] { WriteFileBytes(program, "x"); });
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(70, number);
    EXPECT_EQ(70, truncating);
}

TEST(FileErrors, ReadingPastTheEndIsInputPastEndOfFile)
{
    TestFolder folder;
    test::WriteFile(folder / "short", std::string(100, 'a'));
    EXPECT_EQ(62, ErrorNumberOf([&] { ReadFileRange(folder / "short", 90, 11); }));
    EXPECT_EQ(std::string(10, 'a'), ReadFileRange(folder / "short", 90, 10));
}

TEST(FileExistence, OnlyOrdinaryVisibleFilesExist)
{
    TestFolder folder;
    test::WriteFile(folder / "plain", "x");
    test::WriteFile(folder / "readonly", "x");
    test::MakeReadOnly(folder / "readonly");
    test::WriteFile(folder / ".hidden", "x");
    test::MakeFolders(folder / "dir");
    ::symlink((folder / "plain").c_str(), (folder / "link").c_str());
    EXPECT_TRUE(FileExists(folder / "plain"));
    EXPECT_TRUE(FileExists(folder / "readonly"));
    EXPECT_TRUE(FileExists(folder / "link"));
    EXPECT_FALSE(FileExists(folder / ".hidden"));
    EXPECT_FALSE(FileExists(folder / "dir"));
    EXPECT_FALSE(FileExists(folder / "missing"));
    EXPECT_FALSE(FileExists(folder / "no/such/folder/file"));
    EXPECT_TRUE(FolderExists(folder / "dir"));
    EXPECT_FALSE(FolderExists(folder / "plain"));
    EXPECT_FALSE(FolderExists(folder / "missing"));
}

TEST(ReplaceFileContents, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    TestFolder folder;
    test::MakeFolders(folder / "real");
    test::WriteFile(folder / "real/Default.uae", "old");
    ::symlink((folder / "real/Default.uae").c_str(), (folder / "Default.uae").c_str());
    ReplaceFileContents(folder / "Default.uae", "new");
    struct stat st {};
    ASSERT_EQ(0, ::lstat((folder / "Default.uae").c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ("new", test::ReadFile(folder / "real/Default.uae"));
}

TEST(ReplaceFileContents, KeepsPermissions)
{
    TestFolder folder;
    test::WriteFile(folder / "f", "old");
    ::chmod((folder / "f").c_str(), 0640);
    ReplaceFileContents(folder / "f", "new");
    struct stat st {};
    ASSERT_EQ(0, ::stat((folder / "f").c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 0777);
}

TEST(ReplaceFileContents, AFailureInTheMiddleLeavesTheOldFileAndNoLeftovers)
{
    TestFolder folder;
    test::WriteFile(folder / "save", "precious save data");
    testing::SetReplaceFaultHook([](const std::string&) { throw FileError(61, "disk full"); });
    EXPECT_EQ(61, ErrorNumberOf([&] { ReplaceFileContents(folder / "save", std::string(4096, 'x')); }));
    testing::SetReplaceFaultHook(nullptr);
    EXPECT_EQ("precious save data", test::ReadFile(folder / "save"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(1, entries);
}

TEST(WriteByteAt, ChangesExactlyOneByte)
{
    TestFolder folder;
    test::WriteFile(folder / "game", "abcdef");
    WriteByteAt(folder / "game", 2, 0xFF);
    EXPECT_EQ(std::string("ab\xFF" "def"), test::ReadFile(folder / "game"));
}

}  // namespace
}  // namespace talvero
