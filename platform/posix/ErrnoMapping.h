#pragma once

#include "platform/FileError.h"

#include <string>

namespace talvero::posix {

/// Maps an errno value of a failed operation on `path` to the program's file-error number.
ErrorNumber ErrorNumberFromErrno(int err, const std::string& path);

/// The folder that holds `path` (a slash is the only separator here).
std::string FolderOf(const std::string& path);

[[noreturn]] void ThrowErrno(int err, const std::string& path);

}  // namespace talvero::posix
