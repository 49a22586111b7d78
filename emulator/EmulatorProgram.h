#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace talvero {

inline constexpr const char* kBridgeProgram = "talvero-fsuae-bridge";
/// The stand-in emulator that the demo (--demo) puts in the emulator's place.
inline constexpr const char* kStandinProgram = "talvero-standin";

/// Whether the file is a Windows executable: it begins with "MZ".
bool IsWindowsExecutable(const std::string& path);

/// Starts the emulator file without arguments and without waiting, and returns its process id.
/// A Windows executable on a system that cannot run one is replaced by the FS-UAE bridge, given
/// the emulator's folder; when FS-UAE or the bridge is missing, a message says what to install
/// and nothing is started (nothing is returned). Other failures to start throw FileError.
std::optional<std::int64_t> StartEmulatorProgram(const std::string& executable);

}  // namespace talvero
