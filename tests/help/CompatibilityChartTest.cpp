// The compatibility chart's rows, marks and notes.
#include "help/CompatibilityChart.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(CompatibilityChart, RowsMarksAndNotes)
{
    const auto chart = CompatibilityChart();
    EXPECT_EQ(25u, CompatibilityChartFirstGroupSize());
    std::string marks, notes;  // per row the joypad and NVRAM marks: '.' empty, 'x' ticked, '?' not tested
    for (std::size_t row = 1; row <= chart.size(); ++row) {
        const ChartRow& r = chart[row - 1];
        marks += std::string{".x?"[int(r.joypad)], ".x?"[int(r.nvram)], '|'};
        if (r.note != "-")
            notes += std::to_string(row) + ": " + r.note + "\n";
    }
    EXPECT_EQ(".x|..|..|xx|..|xx|..|..|..|..|x?|.?|..|xx|..|xx|x.|..|..|..|..|.?|xx|xx|..|..|..|..|..|..|",
              marks);
    EXPECT_EQ("10: use 'DH0:Save' to save\n12: set controller to 'Joystick'\n13: enable the JIT compiler\n"
              "21: set controller to 'Joystick'\n30: use a joypad (not the keyboard)\n",
              notes);
}

}  // namespace
}  // namespace talvero
