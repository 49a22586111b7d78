#pragma once

#include <string>

// The CD image the user inserted through the main window: it stands for the drive of the
// options until it is ejected, and is remembered between runs.
namespace talvero {

/// The inserted image's full path, or "" when none is in (or the setting cannot be read).
std::string InsertedCdImage();

/// Checks the image and, when it can be read, makes it the drive of the options. A bad image
/// gets a message naming it and the reason, and nothing changes. True when it is in.
bool InsertCdImage(const std::string& path);

/// The drive of the options is what its letter stands for again.
void EjectCdImage();

/// Said with a missing game file when the game was looked for in the inserted image rather than
/// in the drive of the options ("D:"): names the image and how to use the drive again.
std::string LookedForInImageNote(const std::string& image, const std::string& drive);

}  // namespace talvero
