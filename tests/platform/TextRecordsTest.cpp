#include "platform/TextRecords.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

using Records = std::vector<std::string>;

// Records end at CR LF or a lone CR; a lone LF stays inside; bytes pass unchanged; reading past
// the last record fails with 62.
TEST(TextRecords, LineEndsAreCrOrCrLfAndALoneLfStaysInside)
{
    EXPECT_EQ((Records{"a", "b", "c"}), SplitRecords("a\r\nb\rc"));
    EXPECT_EQ((Records{"one\ntwo", "", "x\n", "\nb", "caf\xE9=\xFF\x80", ""}),
              SplitRecords("one\ntwo\r\n\r\nx\n\r\n\nb\r\ncaf\xE9=\xFF\x80\r\n\r\n"));
    EXPECT_TRUE(SplitRecords("").empty());
    RecordReader reader("first\r\nsecond", "Data\\x.dat");
    EXPECT_EQ("first", reader.Next());
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ("second", reader.Next());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(62, test::ErrorNumberOf([&] { reader.Next(); }));
}

}  // namespace
}  // namespace talvero
