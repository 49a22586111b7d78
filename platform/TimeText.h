#pragma once

#include <ctime>
#include <string>

namespace talvero {

/// The local date and time of `when` as "2026-12-07 14:05:09" (the logs' time stamp); "" when the
/// system cannot express it as a local time.
std::string LocalTimeText(std::time_t when = std::time(nullptr));

}  // namespace talvero
