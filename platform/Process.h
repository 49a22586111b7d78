#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace talvero {

/// Starts a program by path with no arguments, its window shown normally, and does not wait for
/// it. A missing executable fails with 53 (76 when its folder is missing), one that cannot be run
/// with 75.
void StartProcess(const std::string& executable);

/// Environment variables to set for a started program (name, value).
using EnvironmentChanges = std::vector<std::pair<std::string, std::string>>;

/// Starts a program with arguments and environment changes in its own folder, without waiting
/// for it, and returns its process id. What it prints goes to `outputFile` when one is given.
/// Fails as StartProcess does.
std::int64_t StartDetachedProcess(const std::string& executable, const std::vector<std::string>& arguments,
                                  const EnvironmentChanges& environment = {}, const std::string& outputFile = {});

/// The full path of the running program.
std::string RunningExecutablePath();

/// The full path of a program found on the search path (PATH), or an empty text.
std::string FindProgramOnPath(const std::string& name);

}  // namespace talvero
