#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace talvero {

/// Starts a program by path with no arguments, its window shown normally, and does not wait for
/// it. A missing executable fails with 53 (76 when its folder is missing), one that cannot be run
/// with 75. Returns the started program's process id.
std::int64_t StartProcess(const std::string& executable);

/// Environment variables to set for a started program (name, value).
using EnvironmentChanges = std::vector<std::pair<std::string, std::string>>;

/// Starts a program with arguments and environment changes in its own folder, without waiting
/// for it, and returns its process id. What it prints goes to `outputFile` when one is given.
/// Fails as StartProcess does.
std::int64_t StartDetachedProcess(const std::string& executable, const std::vector<std::string>& arguments,
                                  const EnvironmentChanges& environment = {},
                                  const std::string& outputFile = {});

/// Whether a program that this process started still runs (not ended, not a zombie, and not
/// another program that has since been given the same id).
bool ProcessIsRunning(std::int64_t id);

/// Replaces the running program with another, given arguments and environment changes, its
/// output going to `outputFile` when one is given; the process and its id stay. Where a system
/// cannot replace a process, the other program is started and waited for, and its exit status
/// ends this one. Returns only when the program could not be started (the failure is thrown).
[[noreturn]] void ReplaceProcess(const std::string& executable, const std::vector<std::string>& arguments,
                                 const EnvironmentChanges& environment = {},
                                 const std::string& outputFile = {});

/// The running program's own process id.
std::int64_t CurrentProcessId();

/// The full path of the running program.
std::string RunningExecutablePath();

/// The full path of a program found on the search path (PATH), or an empty text.
std::string FindProgramOnPath(const std::string& name);

}  // namespace talvero
