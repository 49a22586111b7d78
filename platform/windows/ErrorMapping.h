#pragma once

#include "platform/FileError.h"

#include <string>

namespace talvero::windows {

/// Maps a Windows error code (GetLastError) of a failed operation to the program's file-error number.
ErrorNumber ErrorNumberFromWindowsError(unsigned long error);

[[noreturn]] void ThrowWindowsError(unsigned long error, const std::string& path);
[[noreturn]] void ThrowLastError(const std::string& path);

}  // namespace talvero::windows
