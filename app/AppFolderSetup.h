#pragma once

#include <exception>
#include <string>

namespace talvero {

struct MissingFiles;

/// Gives a new or incomplete AppFolder (and any missing folder above it) the folders the program
/// needs: Cache, Data, Previews, WinUAE and WinUAE/Configurations, with a Default.uae there when
/// it has none. What is already there is kept. Throws FileError.
void LayOutAppFolder();

/// A plain message naming what the AppFolder still lacks, where each belongs and where it comes
/// from; empty when nothing is missing.
std::string MissingFilesNotice(const MissingFiles& missing);

/// Says that the cache folder could not be created, with the path and the system's reason: in
/// the message's details, on standard error and in the log.
void ReportCacheFolderNotCreated(const std::exception& failure);

/// Whether an import from another Talvero folder could bring some of what is missing.
bool ImportCanHelp(const MissingFiles& missing);

}  // namespace talvero
