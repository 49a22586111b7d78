#pragma once

#include "platform/cdimage/DataTrack.h"

#include <string>

namespace talvero {

/// Reads a cue sheet's tracks, giving the common faults a message of their own: a data file that is missing or shorter than its tracks say, a track
/// mode or index that cannot be read, a sheet without data file, tracks or data track, a data
/// track that does not begin the disc. Returns the first data track, in the file that its FILE
/// line names (one file for all tracks, or one for each). Throws CdImageError.
DataTrack CheckCueSheet(const std::string& cuePath);

}  // namespace talvero
