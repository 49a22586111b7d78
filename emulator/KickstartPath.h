#pragma once

#include <optional>
#include <string>

namespace talvero {

/// Whether a path names its place from a root: "/...", "\..." or a drive ("C:...").
bool IsAbsolutePath(const std::string& path);

/// Where a "kickstart_rom_file=" value points: as it stands when absolute, else in the emulator
/// folder (names matched regardless of letter case where the file system tells them apart).
std::string ResolveKickstartPath(const std::string& value, const std::string& emulatorFolder);

/// The path of the Kickstart ROM that the AppFolder's emulator configuration names (the file may
/// be missing); nothing when the configuration or its "kickstart_rom_file=" line is missing or empty.
std::optional<std::string> NamedKickstartRom();

}  // namespace talvero
