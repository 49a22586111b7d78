#pragma once

#include <optional>
#include <string>

// How this system hosts the program: where a user's own files go, where Talvero's helper
// programs are installed, and whether Windows programs run here.
namespace talvero {

/// The per-user folder for Talvero's files when the program's own folder cannot hold them:
/// $XDG_DATA_HOME/talvero (~/.local/share/talvero by default). Nothing on Windows, where the
/// program's own folder is always used.
std::optional<std::string> UserDataFolder();

/// Whether a Windows executable (a file beginning with "MZ") can be started directly.
bool RunsWindowsPrograms();

/// The path of one of Talvero's helper programs: ../libexec/talvero/<name> from the program's
/// folder in an installed tree, otherwise beside the program (a build tree, a portable folder).
std::string HelperProgramPath(const std::string& name);

}  // namespace talvero
