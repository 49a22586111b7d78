#pragma once

#include <string>

namespace talvero {

/// The argument that makes the benchmark program install the 600 MB game from a laid-out folder
/// and end, so that its peak memory can be measured alone.
inline constexpr const char* kPeakMemoryArgument = "--install-for-peak-memory";

int InstallForPeakMemory(const std::string& folder);

}  // namespace talvero
