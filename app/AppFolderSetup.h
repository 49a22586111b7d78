#pragma once

#include "install/AppFolderLayout.h"

#include <string>

namespace talvero {

/// Creates the AppFolder when it does not exist yet (and any missing folder above it), with the
/// folders the program needs: Cache, Data, Previews, WinUAE and WinUAE/Configurations, and a
/// Default.uae there. An existing AppFolder is left as it is. True when it was laid out. Throws
/// FileError.
bool LayOutNewAppFolder();

/// A plain message naming what the AppFolder still lacks (the game data files, the support-file
/// pack, the emulator) and where each belongs; empty when nothing is missing.
std::string MissingFilesNotice();

}  // namespace talvero
