#pragma once

#include <string>
#include <vector>

// The NVRAM manager's actions on the save files of the selected list entry. Each reports its
// success or failure in a message box and returns true when the list must be rebuilt.
namespace talvero {

/// Data entries, then backup entries, for the files that exist now (unsorted).
std::vector<std::string> NvramEntries();

bool BackupSaveData(const std::string& entry);
bool RestoreSaveData(const std::string& entry);
/// Asks first; No changes nothing.
bool DeleteSaveData(const std::string& entry);

inline constexpr const char* kMessageBackupUpdated = "Backup updated successfully.";
inline constexpr const char* kMessageBackupCreated = "Backup created successfully.";
inline constexpr const char* kMessageRestored = "NVRAM restored successfully.";
inline constexpr const char* kMessageErrorWritingTo = "Error writing to file: ";
inline constexpr const char* kMessageErrorDeleting = "Error deleting file: ";

}  // namespace talvero
