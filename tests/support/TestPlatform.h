#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the tests need from the system they run on.
namespace talvero::test {

/// Gives up root where the unprivileged user can still run `neededProgram` (so read-only files
/// behave as for a user) and gives the run a private HOME, removed at exit. Call first in main().
void PrepareTestProcess(const char* neededProgram);
/// The built stand-in emulator, in this system's spelling.
std::string StandinExecutable();
/// A program of the build (its path as CMake names it) in this system's spelling.
std::string BuiltProgram(const std::string& cmakePath);
/// Makes `folder` drive `letter` (on Linux the Drives folder already is the mapping); UnmapDrives
/// removes every mapping.
void MapDrive(char letter, const std::string& folder);
void UnmapDrives();
/// Writes `bytes` over a file and gives it back its last-change time, exactly as the system keeps
/// it (the standard library sets whole seconds on Windows).
void OverwriteKeepingTime(const std::string& path, const std::string& bytes);
/// Child processes: started with arguments, waited for (the exit status, -1 when it did not exit
/// normally), ended at once.
std::int64_t StartChild(const std::string& program, const std::vector<std::string>& arguments);
int WaitForChild(std::int64_t child);
void KillChild(std::int64_t child);
/// Ends a process that this program started but does not wait for (an emulator that keeps running).
void EndProcess(std::int64_t id);
/// Whether a shell script can stand in for the emulator, and the program sees the emulator read its
/// configuration file (not on Windows).
bool EmulatorScriptsRun();

}  // namespace talvero::test
