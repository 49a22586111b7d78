#pragma once

#include <cstdint>
#include <string>

// The program's own log: what each game start did and why it failed, with paths and the
// system's reasons, for the user (or a helper) to read afterwards.
namespace talvero {

/// Where the log lives: $XDG_STATE_HOME/talvero (by default ~/.local/state/talvero) on Linux,
/// %APPDATA%\Talvero beside the settings on Windows.
std::string LogFolder();

/// LogFolder followed by "talvero.log".
std::string LogFilePath();

/// The size at which the log starts again, keeping the previous one as "talvero.log.1".
inline constexpr std::uintmax_t kLogRotationSize = 256 * 1024;

/// Appends one line, preceded by the local date and time. A log that cannot be written is
/// simply not written: logging never makes an operation fail.
void LogLine(const std::string& text);

}  // namespace talvero
