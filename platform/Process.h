#pragma once

#include <string>

namespace talvero {

/// Starts a program by path with no arguments, its window shown normally, and does not wait for
/// it. A missing executable fails with 53 (76 when its folder is missing), one that cannot be run
/// with 75.
void StartProcess(const std::string& executable);

/// The full path of the running program.
std::string RunningExecutablePath();

}  // namespace talvero
