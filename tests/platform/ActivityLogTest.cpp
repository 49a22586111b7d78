// The program's log: each line after its date and time, started again at 256 KiB with the previous
// one kept, and never a failure of its own.
#include "platform/ActivityLog.h"
#include "platform/ActivityLogTesting.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <regex>

namespace talvero {
namespace {

class ActivityLog : public ::testing::Test {
protected:
    void SetUp() override { testing::SetLogFile(log); }
    void TearDown() override { testing::SetLogFile({}); }
    test::TestFolder folder;
    const std::string log = folder / "logs/talvero.log";
};

TEST_F(ActivityLog, EachLineFollowsTheLocalDateAndTimeInAFolderMadeForIt)
{
    LogLine("Start game \"Akira\"");
    LogLine("copied 3 of 3 files");
    const std::regex lines("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  Start game \"Akira\"\n"
                           "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  copied 3 of 3 files\n");
    EXPECT_TRUE(std::regex_match(test::ReadFile(log), lines)) << test::ReadFile(log);
}

TEST_F(ActivityLog, At256KiBTheLogStartsAgainAndKeepsThePreviousOne)
{
    const std::string almost(kLogRotationSize - 1, 'x'), full(kLogRotationSize, 'y');
    test::WriteFile(log, almost);
    test::WriteFile(log + ".1", "the one before");
    LogLine("first");  // below the size: appended
    EXPECT_EQ(0u, test::ReadFile(log).find(almost));
    EXPECT_TRUE(test::ReadFile(log).ends_with("  first\n"));
    EXPECT_EQ("the one before", test::ReadFile(log + ".1"));
    test::WriteFile(log, full);
    LogLine("second");
    EXPECT_TRUE(full == test::ReadFile(log + ".1"));
    EXPECT_TRUE(test::ReadFile(log).ends_with("  second\n"));
    EXPECT_LT(test::ReadFile(log).size(), 40u);
}

TEST_F(ActivityLog, ALogThatCannotBeWrittenIsSkippedSilently)
{
    test::WriteFile(folder / "logs", "a file where the log folder belongs");
    EXPECT_NO_THROW(LogLine("lost"));
    EXPECT_EQ("a file where the log folder belongs", test::ReadFile(folder / "logs"));
}

}  // namespace
}  // namespace talvero
