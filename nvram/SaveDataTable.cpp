#include "nvram/SaveDataTable.h"

namespace talvero {

const std::vector<SaveDataRow>& SaveDataTable()
{
    static const std::vector<SaveDataRow> rows = {
        {"Akira", "\\Cache\\akir\\nv\\Akira\\HighScores"},
        {"D-Generation", "\\Cache\\dgen\\nv\\DGEN\\1"},
        {"Dark Seed", "\\Cache\\dark\\nv\\DARKSEED\\0"},
        {"GunShip 2000", "\\Cache\\gs2k\\nv\\GS2000\\Roster"},
        {"James Pond 2 - RoboCod", "\\Cache\\jp2r\\nv\\RoboCod Data\\High Score"},
        {"Syndicate", "\\Cache\\synd\\nv\\Syn\\0"},
        {"UFO - Enemy Unknown", "\\Cache\\ufo1\\nv\\nvram.hdf"},
    };
    return rows;
}

std::string BackupEntry(const std::string& title)
{
    return std::string(kBackupPrefix) + " " + title;
}

bool IsBackupEntry(const std::string& entry)
{
    return entry.compare(0, 8, kBackupPrefix) == 0;
}

}  // namespace talvero
