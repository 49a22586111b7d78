#pragma once

#include "demo/DemoFolder.h"

#include <string>

// The whole demo, as `talvero --demo` and the talvero-demo tool lay it out.
namespace talvero {

/// Whether `folder` may take the demo: it does not exist, it is empty, or it is already a
/// Talvero folder (it holds WinUAE or Data), such as a demo laid out before.
bool CanHoldDemo(const std::string& folder);

/// Lays out the demo in `folder` (made with any missing folder above it): the demo AppFolder with
/// `emulator` (LayOutDemoAppFolder), a title card per game, the folder Drives/D as drive D: with
/// the demo CD of Akira (CD32) and Lemmings (CDTV), and the same games as CD images
/// (LayOutDemoImages). With Keep, a Drives/D already there is left alone, as it may be a link to
/// a real disc. False when the images could not be made; throws FileError.
bool LayOutDemo(const std::string& folder, const std::string& emulator, ExistingDemoFiles existing);

}  // namespace talvero
