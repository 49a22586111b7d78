#pragma once

#include <optional>
#include <string>
#include <vector>

namespace talvero {

/// The game lists a title stands in.
enum class Lists { CD32, CDTV, CD32AndCDTV };

/// How many copy records the game's data file holds: none, one, `copyCount`, or every record.
enum class CopyMode { None, Single, Fixed, All };

/// The support-file routines an installer runs, in its order.
enum class SupportFile {
    Fakepad,                 // fakepad into c
    Lowlevel,                // lowlevel.library into libs
    LowlevelAndNonvolatile,  // lowlevel.library and nonvolatile.library into libs
    NvramHardfile,           // nvram.hdf into nv, only when missing
    Debox,                   // debox.library and playerprefs.library into libs
};

/// A configuration line an installer sets. When `appPath` is given, the value is `value` followed
/// by AppFolder and that relative path.
struct ProfileLine {
    std::string key;
    std::string value;
    std::string appPath;
};

inline constexpr const char* kEmulator817 = "WinUAE817r3.exe";
inline constexpr const char* kEmulator814 = "WinUAE814r3.exe";

/// One supported game. The fields stand in the order of the rows in GameProfiles.cpp.
struct GameProfile {
    std::string title{};
    Lists lists = Lists::CD32;
    std::string identityFile{};  // from the CD's root, with backslashes
    std::string cacheCode{};
    std::string executable{};
    std::vector<std::string> folders{};  // below the cache folder, parents first
    CopyMode copyMode = CopyMode::None;
    int copyCount = 0;  // CopyMode::Fixed only
    bool patch = false;
    std::vector<SupportFile> supportFiles{};
    std::optional<std::string> nvLocation{};
    bool bootScript = true;
    std::string volume = "0";
    std::vector<ProfileLine> linesBefore{};
    std::vector<ProfileLine> linesAfter{};
    bool soundLine = false;

    bool InCD32() const { return lists != Lists::CDTV; }
    bool InCDTV() const { return lists != Lists::CD32; }
    bool WritesFakepad() const;
    /// How many copy records the data file holds before the boot script; nothing for "all".
    std::optional<int> FixedCopyRecords() const;
};

/// The 30 supported games, in the order in which Start game tests the titles.
const std::vector<GameProfile>& GameProfiles();

/// The profile whose title equals `title` exactly, or nullptr.
const GameProfile* FindProfile(const std::string& title);

/// The titles of one game list ("CD32" or "CDTV"), in plain character order.
std::vector<std::string> TitlesOfList(const std::string& system);

/// The value of a profile line, with AppFolder filled in.
std::string LineValue(const ProfileLine& line);

/// The game's data file and cache folder below AppFolder.
std::string DataFilePath(const GameProfile& profile);
std::string CacheFolderPath(const GameProfile& profile);

}  // namespace talvero
