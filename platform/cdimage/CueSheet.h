#pragma once

#include <cstdint>
#include <string>

namespace talvero {

/// Where a cue sheet's first data track lies in its data file.
struct CueDataTrack {
    std::string dataFile;
    std::uint64_t offset = 0;      // bytes before its first sector
    std::uint32_t sectorSize = 0;  // 2048, 2336 or 2352 bytes in the file
    std::uint32_t headerSize = 0;  // bytes before the 2048 data bytes of each sector
};

/// Checks a cue sheet before the image library reads it, so that the common faults get a
/// message of their own: a data file that is missing or shorter than its tracks say, a track
/// mode or index that cannot be read, a sheet without data file, tracks or data track. Returns
/// the first data track. Throws CdImageError.
CueDataTrack CheckCueSheet(const std::string& cuePath);

}  // namespace talvero
