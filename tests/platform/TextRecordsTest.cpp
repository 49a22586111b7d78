#include "platform/TextRecords.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

using Records = std::vector<std::string>;

TEST(TextRecords, LineEndsAreCrOrCrLfAndALoneLfStaysInside)
{
    EXPECT_EQ((Records{"a", "b", "c"}), SplitRecords("a\r\nb\rc"));
    EXPECT_EQ((Records{"one\ntwo", "three"}), SplitRecords("one\ntwo\r\nthree\r\n"));
    EXPECT_EQ((Records{"", "x", ""}), SplitRecords("\r\nx\r\n\r\n"));
    EXPECT_EQ((Records{"a\n"}), SplitRecords("a\n"));
    EXPECT_EQ((Records{"a", "\nb"}), SplitRecords("a\r\n\nb"));
    EXPECT_EQ((Records{"caf\xE9=\xFF\x80"}), SplitRecords("caf\xE9=\xFF\x80\r\n"));
    EXPECT_TRUE(SplitRecords("").empty());
}

TEST(TextRecords, ReadingPastTheLastRecordFailsWith62)
{
    RecordReader reader("first\r\nsecond", "Data\\x.dat");
    EXPECT_EQ("first", reader.Next());
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ("second", reader.Next());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(62, test::ErrorNumberOf([&] { reader.Next(); }));
}

}  // namespace
}  // namespace talvero
