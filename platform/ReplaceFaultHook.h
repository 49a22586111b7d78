#pragma once

#include <string>

namespace talvero {

/// Runs the hook a test installed through testing::SetReplaceFaultHook, if any.
void RunReplaceFaultHook(const std::string& path);

}  // namespace talvero
