#pragma once

#include <string>

namespace talvero {

inline constexpr const char* kEmulatorFolder = "\\WinUAE";

/// Starts AppFolder\WinUAE\<executable> with no arguments and does not wait for it (through
/// StartEmulatorProgram, which puts the FS-UAE bridge in a Windows emulator's place).
void StartEmulator(const std::string& executable);

}  // namespace talvero
