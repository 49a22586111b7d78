// The file-error numbering on real files: 53, 76, 75, 70 and 62.
#include "platform/FileError.h"
#include "platform/Files.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace talvero {
namespace {

using test::TestFolder;

using test::ErrorNumberOf;

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
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    TestFolder folder;
    test::MakeFolders(folder / "locked");
    test::MakeReadOnly(folder / "locked");
    EXPECT_EQ(75, ErrorNumberOf([&] { WriteFileBytes(folder / "locked/new", "x"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { ReplaceFileContents(folder / "locked/new", "x"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { CreateFolder(folder / "locked/sub"); }));
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
    test::MakeFolders(folder / "dir");
    EXPECT_TRUE(FileExists(folder / "plain"));
    EXPECT_TRUE(FileExists(folder / "readonly"));
    EXPECT_FALSE(FileExists(folder / "dir"));
    EXPECT_FALSE(FileExists(folder / "missing"));
    EXPECT_FALSE(FileExists(folder / "no/such/folder/file"));
    EXPECT_TRUE(FolderExists(folder / "dir"));
    EXPECT_FALSE(FolderExists(folder / "plain"));
    EXPECT_FALSE(FolderExists(folder / "missing"));
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
