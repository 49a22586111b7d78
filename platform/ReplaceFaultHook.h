#pragma once

#include "platform/FaultHooks.h"

#include <string>

namespace talvero {

/// Runs the hook a test installed through faults::SetReplaceHook, if any.
void RunReplaceHook(faults::ReplaceStep step, const std::string& path);

}  // namespace talvero
