#pragma once

#include "install/InstallProgress.h"
#include "platform/FileError.h"

#include <optional>
#include <string>
#include <utility>

namespace talvero {

/// What the installer takes from the options dialog: its drive field and sound-emulation box;
/// and the CD image the user inserted, which then stands for that drive ("" for none).
struct InstallerOptions {
    InstallerOptions(std::string drive = "D:", bool sound = true, std::string image = {})
        : driveField(std::move(drive)), soundEmulation(sound), insertedImage(std::move(image))
    {}
    std::string driveField;
    bool soundEmulation;
    std::string insertedImage;
};

/// Builds the game's cache from its profile, its data file and the CD, writes its configuration
/// lines and starts the emulator. A cache file whose size and last-change time are its source's
/// is left as it is; every other one is copied again. Failures are reported through
/// ReportInstallError. When `progress` says the user cancelled, it stops before the next piece
/// of a copy and starts no emulator.
void InstallGame(const std::string& title, const InstallerOptions& options,
                 InstallProgress* progress = nullptr);

/// The installers' failure path: a message for 53/76 and 75; any other code ends the program.
/// `details` (the path and the system's reason) go into the message's details.
void ReportInstallError(ErrorNumber code, const std::string& details = {});

/// The message for a file failure the program survives: "Important file not found..." for 53
/// and 76, "Error writing to a file!" for 75; nothing for any other number.
std::optional<std::string> KnownFileErrorMessage(ErrorNumber code);

inline constexpr const char* kMessageImportantFileNotFound =
    "Important file not found. Can't start the selected game!";
inline constexpr const char* kMessageErrorWritingFile = "Error writing to a file!";
inline constexpr const char* kMessageUnknownError = "Unknown error! Terminating... Exitcode: ";

/// The number of patch records that follow Guardian's boot script.
inline constexpr int kPatchRecords = 168;

}  // namespace talvero
