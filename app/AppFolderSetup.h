#pragma once

#include "install/AppFolderLayout.h"

#include <exception>
#include <string>

namespace talvero {

struct MissingFiles;

/// Creates the AppFolder when it does not exist yet (and any missing folder above it), with the
/// folders the program needs: Cache, Data, Previews, WinUAE and WinUAE/Configurations, and a
/// Default.uae there. An existing AppFolder is left as it is. True when it was laid out. Throws
/// FileError.
bool LayOutNewAppFolder();

/// A plain message naming what the AppFolder still lacks, where each belongs and where it comes
/// from; empty when nothing is missing.
std::string MissingFilesNotice(const MissingFiles& missing);

/// Says that the cache folder could not be created, with the path and the system's reason: in
/// the message's details, on standard error and in the log.
void ReportCacheFolderNotCreated(const std::exception& failure);

/// Whether an import from another Talvero folder could bring some of what is missing.
bool ImportCanHelp(const MissingFiles& missing);

}  // namespace talvero
