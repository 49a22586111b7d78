// The command line as the program reads it before it opens any window: what each argument list
// asks for, and what is refused with which line.
#include "app/CommandLineOptions.h"

#include <gtest/gtest.h>

#include <ostream>

namespace talvero {
namespace {

struct ParseRow {
    std::vector<std::string> arguments;
    CommandLineAction action;
    std::string appFolder;
    std::string startTitle;
    std::string error;
    std::string imageFile = "";
    std::string demoFolder = "";
};

void PrintTo(const ParseRow& row, std::ostream* out)
{
    for (const std::string& argument : row.arguments)
        *out << "[" << argument << "] ";
}

class CommandLineOptionsTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(CommandLineOptionsTest, ReadsOrRefuses)
{
    const ParseRow& row = GetParam();
    const CommandLineRequest request = ParseCommandLine(row.arguments);
    EXPECT_EQ(row.action, request.action);
    EXPECT_EQ(row.appFolder, request.appFolder);
    EXPECT_EQ(row.startTitle, request.startTitle);
    EXPECT_EQ(row.error, request.error);
    EXPECT_EQ(row.imageFile, request.imageFile);
    EXPECT_EQ(row.demoFolder, request.demoFolder);
}

using A = CommandLineAction;
INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineOptionsTest,
    ::testing::Values(
        ParseRow{{}, A::OpenWindow, "", "", ""},
        ParseRow{{"--app-folder", "/games"}, A::OpenWindow, "/games", "", ""},
        ParseRow{{"--app-folder=-odd"}, A::OpenWindow, "-odd", "", ""},
        ParseRow{{"--start", "IK+", "--app-folder", "d"}, A::StartGame, "d", "IK+", ""},
        ParseRow{{"--start", "-"}, A::StartGame, "", "-", ""},
        // Help wins over everything, then the version, then the list, then a start.
        ParseRow{{"--start", "Akira", "--list"}, A::ListGames, "", "Akira", ""},
        ParseRow{{"--list", "-v"}, A::ShowVersion, "", "", ""},
        ParseRow{{"--version", "-?"}, A::ShowHelp, "", "", ""},
        // An option where a value belongs is refused, whichever it is.
        ParseRow{{"--start", "--help"}, A::Refuse, "", "", "option --start needs a value (TITLE), not the option --help"},
        ParseRow{{"--app-folder", "-h"}, A::Refuse, "", "", "option --app-folder needs a value (DIR), not the option -h"},
        ParseRow{{"--start"}, A::Refuse, "", "", "option --start needs a value: --start TITLE"},
        ParseRow{{"--bogus", "--help"}, A::Refuse, "", "", "unknown option: --bogus"},
        ParseRow{{"--bogus=1"}, A::Refuse, "", "", "unknown option: --bogus"},
        ParseRow{{"--list=yes"}, A::Refuse, "", "", "option --list takes no value"},
        // One CD image, as a file manager hands it over, goes into the window's drive.
        ParseRow{{"Akira.iso"}, A::OpenWindow, "", "", "", "Akira.iso"},
        ParseRow{{"--app-folder", "d", "/cds/a b.cue"}, A::OpenWindow, "d", "", "", "/cds/a b.cue"},
        ParseRow{{"--", "--list"}, A::OpenWindow, "", "", "", "--list"},
        ParseRow{{"a.iso", "b.iso"}, A::Refuse, "", "", "only one FILE can be given: b.iso"},
        ParseRow{{"a.iso", "--list"}, A::Refuse, "", "",
                 "a CD image (a.iso) opens with the window only, not with --start or --list"},
        ParseRow{{"--start", "IK+", "a.iso"}, A::Refuse, "", "",
                 "a CD image (a.iso) opens with the window only, not with --start or --list"},
        // The demo's folder stands in for --app-folder: a start or the list runs there, and the two
        // cannot be given together.
        ParseRow{{"--demo=d", "--start", "Akira"}, A::StartGame, "", "Akira", "", "", "d"},
        ParseRow{{"--demo", "d", "--app-folder", "e"}, A::Refuse, "", "",
                 "--demo and --app-folder both choose Talvero's folder: give one of them"}));

TEST(CommandLineUsage, ListsEveryOptionWithItsValueWithinEightyColumns)
{
    const std::string usage = UsageText();
    EXPECT_TRUE(usage.starts_with("Usage: talvero [options] [FILE]\n")) << usage;
    for (const char* line : {"\n  -h, --help ", "\n  -v, --version ", "\n  --app-folder DIR ", "\n  --demo DIR ", "\n  --list ",
                             "\n  --start TITLE ", "\n  FILE "})
        EXPECT_NE(std::string::npos, usage.find(line)) << line;
    // It fits a terminal of 80 columns.
    std::size_t start = 0;
    for (std::size_t end = usage.find('\n'); end != std::string::npos; start = end + 1, end = usage.find('\n', start))
        EXPECT_LE(end - start, 79u) << usage.substr(start, end - start);
}

}  // namespace
}  // namespace talvero
