#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// What an emulator started by Talvero relies on, checked from the configuration file it reads:
// the game's volume, its boot script, the Kickstart ROM and the controller.
namespace talvero {

struct CheckResult {
    std::string name;
    bool passed = false;
    std::string detail;
};

struct LaunchReport {
    std::string executable;
    std::string time;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> lines;  // the configuration lines relied on, by key
    std::vector<CheckResult> checks;
    std::string bootScript;  // the game volume's s/startup-sequence, when there is one
    bool AllPassed() const;
    /// The launch record as appended to the log.
    std::string Record() const;
};

/// The parts of a "filesystem=" value "rw,<volume>:<folder>" (the folder may hold a colon of its own).
struct FilesystemValue {
    std::string volume;
    std::string folder;
};
std::optional<FilesystemValue> ParseFilesystemValue(const std::string& value);

/// Where a "kickstart_rom_file=" value points: as it stands when absolute, else in the emulator folder.
std::string ResolveKickstartPath(const std::string& value, const std::string& emulatorFolder);

/// The value of the last line that begins with `key` (which includes its "="), if any.
std::optional<std::string> ConfigLineValue(const std::string& content, const std::string& key);

/// Checks a configuration file's content. `emulatorFolder` resolves a relative Kickstart path.
LaunchReport CheckLaunch(const std::string& configContent, const std::string& emulatorFolder);

}  // namespace talvero
