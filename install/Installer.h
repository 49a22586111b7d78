#pragma once

#include "install/InstallProgress.h"

#include <cstdint>
#include <string>

namespace talvero {

/// What the installer takes from the options dialog: its drive field and sound-emulation box.
struct InstallerOptions {
    std::string driveField = "D:";
    bool soundEmulation = true;
};

/// Builds the game's cache from its profile, its data file and the CD, writes its configuration
/// lines and starts the emulator. A cache file whose size and last-change time are its source's
/// is left as it is; every other one is copied again. Failures are reported through
/// ReportInstallError. When `progress` says the user cancelled, it stops before the next piece
/// of a copy and starts no emulator.
void InstallGame(const std::string& title, const InstallerOptions& options, InstallProgress* progress = nullptr);

/// The installers' failure path: a message for 53/76 and 75; any other code ends the program.
/// `details` (the path and the system's reason) go into the message's details.
void ReportInstallError(std::int16_t code, const std::string& details = {});

inline constexpr const char* kMessageImportantFileNotFound =
    "Important file not found. Can't start the selected game!";
inline constexpr const char* kMessageErrorWritingFile = "Error writing to a file!";
inline constexpr const char* kMessageUnknownError = "Unknown error! Terminating... Exitcode: ";

/// The number of patch records that follow Guardian's boot script.
inline constexpr int kPatchRecords = 168;

}  // namespace talvero
