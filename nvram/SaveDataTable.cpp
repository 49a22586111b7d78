#include "nvram/SaveDataTable.h"

#include "games/GameProfiles.h"

namespace talvero {

namespace {

// A save file in the nv folder of the game's cache, whose code the game's profile gives.
SaveDataRow Row(const std::string& title, const std::string& inNvFolder)
{
    return {title, "\\Cache\\" + FindProfile(title)->cacheCode + "\\nv\\" + inNvFolder};
}

}  // namespace

const std::vector<SaveDataRow>& SaveDataTable()
{
    static const std::vector<SaveDataRow> rows = {
        Row("Akira", "Akira\\HighScores"),
        Row("D-Generation", "DGEN\\1"),
        Row("Dark Seed", "DARKSEED\\0"),
        Row("GunShip 2000", "GS2000\\Roster"),
        Row("James Pond 2 - RoboCod", "RoboCod Data\\High Score"),
        Row("Syndicate", "Syn\\0"),
        Row("UFO - Enemy Unknown", "nvram.hdf"),
    };
    return rows;
}

std::string BackupEntry(const std::string& title)
{
    return std::string(kBackupEntryPrefix) + title;
}

bool IsBackupEntry(const std::string& entry)
{
    return entry.compare(0, kBackupPrefix.size(), kBackupPrefix) == 0;
}

}  // namespace talvero
