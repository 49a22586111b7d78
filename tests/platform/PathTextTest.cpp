// The small path and text rules every caller shares: a path's folder and last part with either
// separator, ASCII case folding, trimming, folders made with their parents, the logs' time stamp.
#include "platform/PathText.h"

#include "platform/Files.h"
#include "platform/TimeText.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <limits>
#include <regex>

namespace talvero {
namespace {

struct PathRow {
    const char* path;
    const char* folder;
    const char* lastPart;
    const char* separators = "/\\";
};

TEST(PathText, FolderAndLastPartWithEitherSeparator)
{
    // In the last row only the slash separates, and a backslash is part of a name.
    const PathRow rows[] = {
        {"/a/b/c.cue", "/a/b", "c.cue"},         {"C:\\Talvero\\WinUAE", "C:\\Talvero", "WinUAE"},
        {"C:\\mixed/name", "C:\\mixed", "name"}, {"a/b/", "a/b", ""},
        {"bare.iso", ".", "bare.iso"},           {"\\talvero", "\\", "talvero"},
        {"/tmp/a\\b", "/tmp", "a\\b", "/"}};
    for (const PathRow& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.path + "\" split at \"" + row.separators + '"');
        EXPECT_EQ(row.folder, FolderOf(row.path, row.separators));
        EXPECT_EQ(row.lastPart, LastPartOf(row.path, row.separators));
    }
}

TEST(TextRules, CaseFoldingTouchesOnlyAsciiLettersAndTrimmingOnlyTheGivenBlanksAtEitherEnd)
{
    EXPECT_EQ("mode1/2352 ;1 \xC4z", AsciiLower("MODE1/2352 ;1 \xC4Z"));
    EXPECT_EQ("AUDIO @[`{ \xE4", AsciiUpper("audio @[`{ \xE4"));
    EXPECT_EQ("True", Trimmed(" \tTrue\t "));
    EXPECT_EQ("a b", Trimmed("  a b  "));
    EXPECT_EQ("", Trimmed(" \t "));
    EXPECT_EQ("\td:", Trimmed(" \td: ", " "));
}

TEST(TextRules, CreateFolderWithParentsMakesWhatIsMissingAndKeepsWhatIsThere)
{
    test::TestFolder folder;
    test::WriteFile(folder / "kept/file", "x");
    CreateFolderWithParents(folder / "kept");
    CreateFolderWithParents(folder / "a/b/c");
    CreateFolderWithParents(folder / "d/e/");
    EXPECT_EQ("x", test::ReadFile(folder / "kept/file"));
    EXPECT_TRUE(FolderExists(folder / "a/b/c"));
    EXPECT_TRUE(FolderExists(folder / "d/e"));
    test::WriteFile(folder / "plain", "x");
    EXPECT_NE(0, test::ErrorNumberOf([&] { CreateFolderWithParents(folder / "plain/sub"); }));
}

TEST(TextRules, LocalTimeTextIsTheLogsStampOrEmptyWhenTheTimeHasNoLocalForm)
{
    // Every time zone is a whole number of minutes away, so the seconds stay as they were.
    const std::string text = LocalTimeText(((24 + 3) * 60 + 4) * 60 + 5);
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(19\d\d-\d\d-\d\d \d\d:\d\d:05)"))) << text;
    EXPECT_EQ("", LocalTimeText(std::numeric_limits<std::time_t>::max()));
}

}  // namespace
}  // namespace talvero
