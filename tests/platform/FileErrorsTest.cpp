// The file-error numbering on real files (53, 76, 75, 62), the whole-file replace, and reading
// records from a file's text.
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "platform/TextRecords.h"
#include "tests/support/TestFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;

class FileErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteFile(folder / "plain", "chipset=aga\r\n");
        test::WriteFile(folder / "readonly", "chipset=aga\r\n");
        test::MakeReadOnly(folder / "readonly");
        test::MakeFolders(folder / "dir");
        test::WriteFile(folder / "rodir/old", "x");
        if (test::ReadOnlyFoldersAreEnforced())
            test::MakeReadOnly(folder / "rodir");
    }
    void TearDown() override { faults::SetReplaceHook(nullptr); }
    test::TestFolder folder;
};

TEST_F(FileErrors, EachOperationFailsWithTheNumberOfItsSituation)
{
    const std::function<void(const std::string&)> operations[] = {
        [](auto& p) { ReadFileBytes(p); },
        [](auto& p) { WriteFileBytes(p, "x"); },
        [](auto& p) { ReplaceFileContents(p, "x"); },
        [](auto& p) { RemoveFile(p); },
        [](auto& p) { CreateFolder(p); },
        [](auto& p) { WriteByteAt(p, 0, 'X'); }};
    const int ro = test::ReadOnlyFoldersAreEnforced() ? 75 : 0;
    // Expected numbers per operation, in the order above; 0 = not tried.
    const std::pair<const char*, std::vector<int>> situations[] = {
        {"missing", {53, 0, 0, 53, 0, 0}},     {"no/such/file", {76, 76, 76, 0, 76, 0}},
        {"plain/inside", {76, 0, 0, 0, 0, 0}}, {"dir", {75, 75, 75, 75, 75, 0}},
        {"readonly", {0, 75, 75, 75, 0, 75}},  {"rodir/new", {0, ro, ro, 0, ro, 0}},
    };
    for (const auto& [path, numbers] : situations) {
        std::vector<int> actual;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            actual.push_back(numbers[i] ? ErrorNumberOf([&] { operations[i](folder / path); }) : 0);
        EXPECT_EQ(numbers, actual) << path;
    }
}

// Records end at CR LF or a lone CR; a lone LF stays inside; reading past the last record fails with 62.
TEST_F(FileErrors, RecordsEndAtCrLfOrCrAndReadingPastTheLastFailsWith62)
{
    EXPECT_EQ((std::vector<std::string>{"a", "b\nc", "", "\nd", ""}),
              SplitRecords("a\rb\nc\r\n\r\n\nd\r\n\r\n"));
    EXPECT_TRUE(SplitRecords("").empty());
    RecordReader reader("first\r\nsecond", "Data\\x.dat");
    EXPECT_EQ("first", reader.Next());
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ("second", reader.Next());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(62, ErrorNumberOf([&] { reader.Next(); }));
    EXPECT_EQ(62, ErrorNumberOf([&] { ReadFileRange(folder / "plain", 3, 11); })) << "a range past the end";
}

// A failure before the rename leaves the old file and no leftovers.
TEST_F(FileErrors, TheReplaceFlushesRenamesThenSyncsAndIsWholeOrNothing)
{
    using S = faults::ReplaceStep;
    std::vector<S> steps;
    faults::SetReplaceHook([&](S step, const std::string&) { steps.push_back(step); });
    ReplaceFileContents(folder / "plain", "new");
    EXPECT_EQ((std::vector<S>{S::Created, S::PartWritten, S::Flushed, S::Renamed, S::FolderSynced}), steps);
    WriteCacheFileContents(folder / "plain", "cache");
    EXPECT_EQ(S::Renamed, steps.back());  // a cache file is not synced
    const auto before = std::distance(std::filesystem::directory_iterator(folder.path()), {});
    for (const S failing : {S::PartWritten, S::Flushed}) {
        faults::SetReplaceHook([failing](S step, const std::string&) {
            if (step == failing)
                throw FileError(ErrorNumber::DiskFull, "disk full");
        });
        EXPECT_EQ(61, ErrorNumberOf([&] { ReplaceFileContents(folder / "plain", std::string(4096, 'x')); }));
        EXPECT_EQ("cache", test::ReadFile(folder / "plain"));
        EXPECT_EQ(before, std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }
}

}  // namespace
}  // namespace talvero
