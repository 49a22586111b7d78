#pragma once

#include "demo/DemoFolder.h"

#include <string>

// The whole demo, as `talvero --demo` and the talvero-demo tool lay it out.
namespace talvero {

/// The note in a demo folder that says what it holds; it also marks the folder as a demo.
inline constexpr const char* kDemoNote = "Demo.txt";

/// Whether `folder` may take the demo: it does not exist, it is an empty folder, or a demo was
/// laid out in it before (it holds the note). A user's real Talvero folder is none of these, so
/// placeholder data never mixes with real files.
bool CanHoldDemo(const std::string& folder);

/// Lays out the demo in `folder` (made with any missing folder above it): its note, the demo AppFolder with
/// `emulator` (LayOutDemoAppFolder), a title card per game, the folder Drives/D as drive D: with
/// the demo CD of Akira (CD32) and Lemmings (CDTV), and the same games as CD images
/// (LayOutDemoImages). With Keep, a Drives/D already there is left alone, as it may be a link to
/// a real disc. False when the images could not be made; throws FileError.
bool LayOutDemo(const std::string& folder, const std::string& emulator, ExistingDemoFiles existing);

}  // namespace talvero
