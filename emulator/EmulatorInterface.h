#pragma once

#include <optional>
#include <string>

namespace talvero {

inline constexpr const char* kEmulatorFolder = "\\WinUAE";

/// Starts AppFolder\WinUAE\<executable> with no arguments and does not wait for it (through
/// StartEmulatorProgram, which puts the FS-UAE bridge in a Windows emulator's place); the
/// started process is remembered for EmulatorStillRunning.
void StartEmulator(const std::string& executable);

/// Whether the emulator that this program started last still runs; two emulators on one game
/// cache would write the same save data.
bool EmulatorStillRunning();

/// The message to show when the emulator cannot be given the name of AppFolder: it reads the
/// folders of its configuration lines ("filesystem=") in the system's 8-bit code page, and the
/// name holds characters that code page has no place for. Nothing when the name can be given.
std::optional<std::string> AppFolderUnusableByEmulator();

inline constexpr const char* kMessageEmulatorStillRunning =
    "The emulator is still running. Start another one?";

}  // namespace talvero
