#pragma once

#include <optional>
#include <string>
#include <vector>

// What the AppFolder still lacks before games can be started: the files Talvero cannot ship,
// which the user brings from an existing installation, their own ROM, or the system's emulator.
namespace talvero {

/// How this system runs the emulator: a Windows emulator directly, or FS-UAE through the bridge.
struct EmulatorHost {
    bool runsWindowsPrograms = false;
    bool fsUaeInstalled = false;
};

/// The emulator host of the running system.
EmulatorHost ThisEmulatorHost();

struct MissingFiles {
    /// The data file names ("Akira.dat") of the games whose data file is not in AppFolder\Data.
    std::vector<std::string> dataFiles;
    bool supportPack = false;
    /// The Kickstart ROM is missing; the path where the configuration looks for it, or empty
    /// when the configuration names none.
    std::optional<std::string> kickstartRom;
    /// The emulator programs that this system would start and the emulator folder lacks.
    std::vector<std::string> emulatorPrograms;
    /// FS-UAE would stand in for the emulator programs, but it is not installed.
    bool fsUae = false;

    bool Any() const;
};

MissingFiles FindMissingFiles(const EmulatorHost& host = ThisEmulatorHost());

/// The data file name of the game with that title whose file is missing, if it is missing.
std::optional<std::string> MissingDataFile(const std::string& title);

}  // namespace talvero
