#pragma once

#include <string>
#include <utility>
#include <vector>

namespace talvero {

/// The drive letters the emulated Amiga may see: those that hold a CD (a folder of Drives/X or a
/// CD's mount point). The system's root folder (C: on Linux) stays out, so that nothing of the
/// host outside the CDs can be read from inside the emulator.
std::vector<std::pair<char, std::string>> CdDrivesOnly(const std::vector<std::pair<char, std::string>>& drives);

}  // namespace talvero
