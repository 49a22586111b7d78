#pragma once

#include "demo/DemoFolder.h"

#include <string>
#include <vector>

// CD images of a folder, for the demo, the tests and the benchmarks: ISO 9660 images made with
// xorriso (which must be installed), and BIN/CUE images made from them by wrapping each sector.
namespace talvero {

/// The names an ISO image records: upper-case 8.3 names with ";1" only, or long names as well.
enum class IsoNames { Plain, Joliet, RockRidge, JolietAndRockRidge };

/// Builds an ISO image of everything below `folder`. Throws FileError when xorriso fails.
void MakeIsoImage(const std::string& folder, const std::string& isoPath, IsoNames names);

/// How a BIN file stores the ISO's 2048-byte sectors.
enum class SectorMode { Mode1_2048, Mode1_2352, Mode2_2352 };

/// Writes the ISO's sectors as `binPath` and a cue sheet `cuePath` naming it (by its file name)
/// as track 1; `audioSectors` > 0 adds an audio track of that many sectors after it.
void MakeBinCue(const std::string& isoPath, const std::string& cuePath, const std::string& binPath,
                SectorMode mode, int audioSectors = 0);

/// Writes the ISO's sectors as an NRG image (Nero 5.5 and later: the data, then a footer that
/// describes one MODE1 track).
void MakeNrg(const std::string& isoPath, const std::string& nrgPath);

/// The cue sheet's track mode word ("MODE1/2352").
const char* CueModeName(SectorMode mode);

/// The demo CD of the titles (as LayOutDemoCd lays it out) as an image: an ISO with Joliet and
/// Rock Ridge names for a path ending in ".iso"; for ".cue" a BIN beside it with the data track
/// in MODE1/2352 followed by a short audio track, as CD32 discs are dumped.
void MakeDemoCdImage(const std::vector<std::string>& titles, const std::string& imagePath,
                     std::size_t fileSize = 0);

/// The demo's CD images in `drivesFolder`: Lemmings as E.cue with E.bin, Akira as F.iso. False,
/// with nothing made, when they cannot be made here (xorriso is not installed).
bool LayOutDemoImages(const std::string& drivesFolder, ExistingDemoFiles existing);

}  // namespace talvero
