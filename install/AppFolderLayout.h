#pragma once

// The folders and files every AppFolder has, made where they are missing.
namespace talvero {

/// Gives a new or incomplete AppFolder (and any missing folder above it) the folders the program
/// needs: Cache, Data, Previews, WinUAE and WinUAE/Configurations, with a Default.uae there when
/// it has none. What is already there is kept. Throws FileError.
void LayOutAppFolder();

}  // namespace talvero
