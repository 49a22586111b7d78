#pragma once

#include <optional>
#include <string>

namespace talvero {
class ConfigurationTurn;
}

namespace talvero {

inline constexpr const char* kEmulatorFolder = "\\WinUAE";

/// Starts AppFolder\WinUAE\<executable> with no arguments and does not wait for it to end
/// (through StartEmulatorProgram, which puts the FS-UAE bridge in a Windows emulator's place).
/// `turn`, the caller's ConfigurationTurn, is kept until the emulator has read its configuration
/// file (or has ended, or a few seconds have passed), so that no other start's lines reach it;
/// the caller goes on meanwhile. `cacheFolder` is the game's cache, which the emulator uses as a
/// volume: EmulatorStillRunning asks by it. False when nothing was started (a message said why);
/// a failure to start throws FileError.
bool StartEmulator(const std::string& executable, const std::string& cacheFolder,
                   ConfigurationTurn* turn = nullptr);

/// Whether an emulator that this program started on that cache folder still runs: two emulators
/// on one game cache would write the same save data.
bool EmulatorStillRunning(const std::string& cacheFolder);

/// Whether any emulator that this program started still runs.
bool AnyEmulatorStillRunning();

/// The message to show when the emulator cannot be given the name of AppFolder: it reads the
/// folders of its configuration lines ("filesystem=") in the system's 8-bit code page, and the
/// name holds characters that code page has no place for. Nothing when the name can be given.
std::optional<std::string> AppFolderUnusableByEmulator();

inline constexpr const char* kMessageEmulatorStillRunning =
    "The emulator is still running. Start another one?";

}  // namespace talvero
