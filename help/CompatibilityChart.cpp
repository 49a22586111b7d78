#include "help/CompatibilityChart.h"

#include "games/Collation.h"
#include "games/GameProfiles.h"
#include "nvram/SaveDataTable.h"

#include <algorithm>
#include <map>
#include <set>

namespace talvero {

namespace {

// Save data in these games was not tested.
const std::set<std::string> kNvramNotTested = {"Global Effect", "Gloom", "Speris Legacy"};

const std::map<std::string, std::string> kNotes = {
    {"Frontier - Elite 2", "use 'DH0:Save' to save"},  {"Gloom", "set controller to 'Joystick'"},
    {"Guardian", "enable the JIT compiler"},           {"Roadkill", "set controller to 'Joystick'"},
    {"Turrican 2", "use a joypad (not the keyboard)"},
};

bool KeepsSaveData(const std::string& title)
{
    const auto& table = SaveDataTable();
    return std::any_of(table.begin(), table.end(),
                       [&](const SaveDataRow& row) { return row.title == title; });
}

ChartRow RowFor(const GameProfile& profile)
{
    ChartRow row;
    row.title = profile.title;
    row.joypad = profile.WritesFakepad() ? ChartMark::Ticked : ChartMark::Empty;
    if (KeepsSaveData(profile.title))
        row.nvram = ChartMark::Ticked;
    else if (kNvramNotTested.count(profile.title))
        row.nvram = ChartMark::NotTested;
    if (const auto note = kNotes.find(profile.title); note != kNotes.end())
        row.note = note->second;
    return row;
}

std::vector<const GameProfile*> Group(bool cdtv)
{
    std::vector<const GameProfile*> group;
    for (const GameProfile& profile : GameProfiles()) {
        if (profile.InCDTV() == cdtv)
            group.push_back(&profile);
    }
    std::sort(group.begin(), group.end(),
              [](const GameProfile* a, const GameProfile* b) { return WordOrderLess(a->title, b->title); });
    return group;
}

}  // namespace

std::vector<ChartRow> CompatibilityChart()
{
    std::vector<ChartRow> rows;
    for (bool cdtv : {false, true}) {
        for (const GameProfile* profile : Group(cdtv))
            rows.push_back(RowFor(*profile));
    }
    return rows;
}

std::size_t CompatibilityChartFirstGroupSize()
{
    return Group(false).size();
}

}  // namespace talvero
