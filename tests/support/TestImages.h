#pragma once

#include "demo/DemoImage.h"

#include <map>
#include <string>
#include <vector>

// CD images that the tests make from files they write, built once per test run.
namespace talvero::test {

/// The files on every test image: path with forward slashes -> content. The names fit 8.3 in
/// any letter case, so that an image with plain ISO names holds them too (upper case, ";1").
const std::map<std::string, std::string>& ImageFiles();

/// A file only images with long names (Joliet, Rock Ridge) hold.
inline constexpr const char* kLongName = "Whale's Voyage Intro.txt";

enum class Container { Iso, Cue, Nrg };

struct ImageKind {
    const char* name;
    Container container;
    IsoNames names;
    SectorMode mode;
    int audioSectors;
};

/// Every kind of image the tests read: ISO with each naming, BIN/CUE in each sector mode, NRG.
const std::vector<ImageKind>& ImageKinds();

/// The image of ImageFiles() in that kind (the .iso, .cue or .nrg), made on first use.
std::string ImageOf(const ImageKind& kind);

/// A fresh copy of a good image (with a cue sheet its BIN) in `folder`; returns the copy's path.
std::string CopyOfImage(const ImageKind& kind, const std::string& folder);

}  // namespace talvero::test
