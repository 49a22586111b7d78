#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The test program started again as a child process that changes files the way a running copy
// of Talvero does, for the tests of two copies at once and of crashes in the middle of a write.
namespace talvero::test {

inline constexpr const char* kFileWorkerSwitch = "--file-worker";

/// Runs the worker when the program was started with kFileWorkerSwitch; returns its exit status.
///   --file-worker config APPFOLDER KEY COUNT   sets KEY to 1..COUNT, one SetConfigValue each
///   --file-worker rounds APPFOLDER             WorkerRound after WorkerRound until killed
///   --file-worker starts APPFOLDER TITLE DRIVE FRAMESKIP JIT SOUND ROUNDS
///                                              Start game of TITLE ROUNDS times (switches 0 or 1)
int RunFileWorker(int argc, char** argv);

/// One round of a running program's file work in the current (demo) AppFolder with Akira's CD: a
/// configuration line, Akira's save-data backup rewritten and restored, an install of Akira.
void WorkerRound(std::uint64_t round);

/// The two contents that WorkerRound alternates for Akira's save data.
std::string SaveDataVersion(std::uint64_t round);

/// Starts this test program again as a file worker (TestPlatform.h waits for it or kills it).
std::int64_t StartFileWorker(const std::vector<std::string>& arguments);

/// A configuration file's keys in order and its last two bytes: what a torn write changes.
std::vector<std::string> ConfigShape(const std::string& content);

}  // namespace talvero::test
