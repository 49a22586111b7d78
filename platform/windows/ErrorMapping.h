#pragma once

#include <cstdint>
#include <string>

namespace talvero::windows {

/// Maps a Windows error code (GetLastError) of a failed operation to the program's file-error number.
std::int16_t ErrorNumberFromWindowsError(unsigned long error);

[[noreturn]] void ThrowWindowsError(unsigned long error, const std::string& path);
[[noreturn]] void ThrowLastError(const std::string& path);

}  // namespace talvero::windows
