#pragma once

#include <string>

namespace talvero {

/// Gives a new or incomplete AppFolder (and any missing folder above it) the folders the program
/// needs: Cache, Data, Previews, WinUAE and WinUAE/Configurations, with a Default.uae there when
/// it has none. What is already there is kept. Throws FileError.
void LayOutAppFolder();

/// A plain message naming what the AppFolder still lacks (the game data files, the support-file
/// pack, the emulator) and where each belongs; empty when nothing is missing.
std::string MissingFilesNotice();

}  // namespace talvero
