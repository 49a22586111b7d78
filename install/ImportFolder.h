#pragma once

#include <string>
#include <vector>

// Brings the files Talvero cannot ship (game data files, support-file pack, previews, Kickstart
// ROM, emulator configuration) from another Talvero folder, such as a Windows installation on a
// mounted partition, into the AppFolder.
namespace talvero {

/// One file to bring: where it is, where it goes, and its name as the messages show it
/// ("Data/Akira.dat").
struct ImportItem {
    std::string shownName;
    std::string source;
    std::string destination;
};

/// What another Talvero folder offers, found by name regardless of letter case: Data\*.dat,
/// Talvero.dat, Previews\*.jpg, the Kickstart ROM that its WinUAE\Configurations\Default.uae names
/// (relative to its WinUAE folder) or the settings name, its Default.uae when the AppFolder has
/// none, and the emulator programs where this system runs them. A data file or preview that
/// belongs to a game takes the game's own spelling.
std::vector<ImportItem> FilesToImport(const std::string& otherFolder);

struct ImportResult {
    std::vector<std::string> taken;
    std::vector<std::string> alreadyThere;
    std::vector<std::string> keptDiffering;  // the user chose to keep the AppFolder's own
};

/// Copies the items into the AppFolder, each replaced whole or not at all. A file that is
/// already there with the same bytes is left alone; files that differ are replaced only when the
/// user agrees (one question for all of them). Throws FileError on the first failure; what was
/// copied before it stays.
ImportResult ImportFiles(const std::vector<ImportItem>& items);

/// Extras > Import from another Talvero folder...: asks for the folder, imports, and ends with
/// one message listing what was taken, what was already there and what is still missing.
void ImportFromAnotherFolder();

inline constexpr const char* kImportTitle = "Import from another Talvero folder";

}  // namespace talvero
