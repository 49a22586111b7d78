#pragma once

#include <string>
#include <vector>

namespace talvero {

enum class ChartMark { Empty, Ticked, NotTested };

struct ChartRow {
    std::string title;
    ChartMark joypad = ChartMark::Empty;
    ChartMark nvram = ChartMark::Empty;
    std::string note = "-";
};

/// The compatibility chart: the CD32 games (those only on CD32), then the CDTV games, each group
/// in the game list's word order. The Joypad column follows the profiles that write fakepad, the
/// NVRAM column the NVRAM manager's games.
std::vector<ChartRow> CompatibilityChart();

/// How many rows the first group (CD32 only) holds.
std::size_t CompatibilityChartFirstGroupSize();

}  // namespace talvero
