#pragma once

#include <cstdint>
#include <string>

namespace talvero::posix {

/// Maps an errno value of a failed operation on `path` to the program's file-error number.
std::int16_t ErrorNumberFromErrno(int err, const std::string& path);

[[noreturn]] void ThrowErrno(int err, const std::string& path);

}  // namespace talvero::posix
