#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace talvero {

/// Where an image's first data track lies: in which file, from which byte, and how its sectors
/// hold their 2048 data bytes. Cue sheets and NRG images are read into this; the file system is
/// then read from that file alone.
struct DataTrack {
    std::string dataFile;
    std::uint64_t offset = 0;      // bytes before its first sector
    std::uint32_t sectorSize = 0;  // 2048, 2336 or 2352 bytes in the file
    std::uint32_t headerSize = 0;  // bytes before the 2048 data bytes of each sector
    std::optional<std::uint64_t> sectors = std::nullopt;  // its length; none: up to the end of the file
};

// Reasons shared by the image kinds that list tracks.
inline constexpr const char* kNoDataTrack = "it has no data track (an audio CD)";
inline constexpr const char* kDataTrackNotFirst =
    "its first data track does not begin the disc, so it holds no file system to read";

}  // namespace talvero
