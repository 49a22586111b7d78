#pragma once

#include "install/InstallProgress.h"
#include "platform/FileError.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace talvero {

class CdRoot;
struct GameProfile;

/// What Start game read once and hands on: the CD drive (the options' drive field cut to its first
/// two characters), the sound-emulation box, and the CD image the user inserted, which then
/// stands for that drive ("" for none).
struct InstallerOptions {
    InstallerOptions(std::string driveText = "D:", bool sound = true, std::string image = {})
        : drive(std::move(driveText)), soundEmulation(sound), insertedImage(std::move(image))
    {}
    std::string drive;
    bool soundEmulation;
    std::string insertedImage;
};

/// What an install or a step reported through the installers' failure path came to.
enum class InstallResult {
    Done,          ///< every step went through
    Cancelled,     ///< the user stopped it; nothing was shown
    Failed,        ///< a message said what failed; the program goes on
    ProgramEnded,  ///< an unknown error: its message was shown and the program asked to end
};

/// Builds the game's cache (`cacheFolder`, the profile's) from its profile, its data file and the
/// CD, and writes its configuration lines; starting the emulator is the caller's. A cache file
/// whose size and last-change time are its source's is left as it is, but only when the last
/// complete install of the game happened since the system started (a copy that never reached the
/// disk before a power cut is then copied again); every other one is copied again. Failures are
/// thrown for RunReportingFailures. When `progress` says the user cancelled, it stops before the
/// next piece of a copy or the next step with InstallCancelled.
void InstallGame(const GameProfile& profile, const std::string& cacheFolder, const CdRoot& cd,
                 const InstallerOptions& options, InstallProgress* progress = nullptr);

/// Thrown when the user cancelled: it passes through like a failure but shows nothing.
struct InstallCancelled {};

/// Lets `progress` show that the game is about to start (and take the user's input), and
/// throws InstallCancelled when the user has cancelled. Nothing without a `progress`.
void StopIfCancelled(InstallProgress* progress, const std::string& title);

/// Runs `step` (an install and the emulator's start), sending its failures down the installers'
/// failure path: a log line, and the message of ReportInstallError.
InstallResult RunReportingFailures(const std::function<void()>& step);

/// The file beside a game's cache folder that names the boot in which its last complete install
/// happened.
std::string InstalledInBootFile(const std::string& cacheFolder);

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
