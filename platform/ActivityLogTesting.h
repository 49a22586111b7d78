#pragma once

#include <string>

// For tests and tools only: keeps the program's log away from the user's.
namespace talvero::testing {

/// Sends the log to another file (empty: back to LogFilePath).
void SetLogFile(const std::string& path);

}  // namespace talvero::testing
