#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the tests need from the system they run on.
namespace talvero::test {

/// Tests run without root privileges, so that read-only files and folders behave as they do for
/// a user (when the unprivileged user can reach `neededProgram`). Also gives the run a private
/// HOME, removed at exit. Call first thing in main().
void PrepareTestProcess(const char* neededProgram);

/// The built stand-in emulator, as this system names its path.
std::string StandinExecutable();

/// Makes `folder` reachable as drive `letter` (on Linux the Drives folder already is the mapping).
void MapDrive(char letter, const std::string& folder);
/// Removes the mappings MapDrive made.
void UnmapDrives();

/// What tells one file from another on its volume (the inode, the file index): a file replaced by
/// a new copy gets a new one, one left alone keeps it. 0 when the file is missing.
std::uint64_t FileIdentity(const std::string& path);
/// Starts a program with arguments as a child process of the test.
std::int64_t StartChild(const std::string& program, const std::vector<std::string>& arguments);
/// Waits for a child process; its exit status, or -1 when it did not exit normally.
int WaitForChild(std::int64_t child);
/// Ends a child process at once (SIGKILL, TerminateProcess) and waits for it.
void KillChild(std::int64_t child);

}  // namespace talvero::test
