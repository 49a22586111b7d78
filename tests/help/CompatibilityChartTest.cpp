// The compatibility chart's rows, marks and notes.
#include "help/CompatibilityChart.h"

#include <functional>
#include <gtest/gtest.h>

namespace talvero {
namespace {

std::vector<int> RowsWhere(const std::function<bool(const ChartRow&)>& test)
{
    std::vector<int> rows;
    const auto chart = CompatibilityChart();
    for (std::size_t i = 0; i < chart.size(); ++i) {
        if (test(chart[i]))
            rows.push_back(static_cast<int>(i + 1));
    }
    return rows;
}

TEST(CompatibilityChart, RowsCountsAndOrder)
{
    const auto chart = CompatibilityChart();
    ASSERT_EQ(30u, chart.size());
    EXPECT_EQ(25u, CompatibilityChartFirstGroupSize());
    EXPECT_EQ("Dark Seed", chart[3].title);
    EXPECT_EQ("Deep Core", chart[4].title);
    EXPECT_EQ("D-Generation", chart[5].title);
    EXPECT_EQ("Whale's Voyage", chart[24].title);
    EXPECT_EQ("Defender of the Crown 2", chart[25].title);
    EXPECT_EQ("Turrican 2", chart[29].title);
    EXPECT_EQ((std::vector<int>{4, 6, 11, 14, 16, 17, 23, 24}),
              RowsWhere([](const ChartRow& r) { return r.joypad == ChartMark::Ticked; }));
    EXPECT_EQ((std::vector<int>{1, 4, 6, 14, 16, 23, 24}),
              RowsWhere([](const ChartRow& r) { return r.nvram == ChartMark::Ticked; }));
    EXPECT_EQ((std::vector<int>{11, 12, 22}),
              RowsWhere([](const ChartRow& r) { return r.nvram == ChartMark::NotTested; }));
    EXPECT_TRUE(RowsWhere([](const ChartRow& r) { return r.joypad == ChartMark::NotTested; }).empty());
    EXPECT_EQ((std::vector<int>{10, 12, 13, 21, 30}),
              RowsWhere([](const ChartRow& r) { return r.note != "-"; }));
    EXPECT_EQ("use 'DH0:Save' to save", chart[9].note);
    EXPECT_EQ("use a joypad (not the keyboard)", chart[29].note);
}

}  // namespace
}  // namespace talvero
