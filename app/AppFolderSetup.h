#pragma once

#include "install/AppFolderLayout.h"

#include <string>

namespace talvero {

/// A plain message naming what the AppFolder still lacks (the game data files, the support-file
/// pack, the emulator) and where each belongs; empty when nothing is missing.
std::string MissingFilesNotice();

}  // namespace talvero
