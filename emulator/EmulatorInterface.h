#pragma once

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

inline constexpr const char* kMessageEmulatorStillRunning =
    "The emulator is still running. Start another one?";

}  // namespace talvero
