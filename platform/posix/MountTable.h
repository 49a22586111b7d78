#pragma once

#include <string>
#include <vector>

namespace talvero::posix {

/// Mount points of a device as a mount table (/proc/self/mounts) lists them.
std::vector<std::string> MountPointsOf(const std::string& device, const std::string& mountTable);

}  // namespace talvero::posix
