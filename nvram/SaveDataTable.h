#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvero {

/// One game that keeps save data: its title and its save file below AppFolder.
struct SaveDataRow {
    std::string title;
    std::string dataFile;
};

/// The seven games whose save data the NVRAM manager looks after, in the order the list is filled.
const std::vector<SaveDataRow>& SaveDataTable();

inline constexpr std::string_view kBackupPrefix = "[Backup]";
/// A backup's entry: the prefix, a space, then the title.
inline constexpr std::string_view kBackupEntryPrefix = "[Backup] ";

/// "[Backup] " followed by the title.
std::string BackupEntry(const std::string& title);
/// An entry whose first eight characters are exactly "[Backup]".
bool IsBackupEntry(const std::string& entry);

}  // namespace talvero
