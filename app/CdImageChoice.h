#pragma once

#include <string>

// The CD image the user inserted through the main window: it stands for the drive of the
// options until it is ejected, and is remembered between runs.
namespace talvero {

/// The settings key (in the program's section) that holds the inserted image's path.
inline constexpr const char* kSettingCdImage = "CDImage";

/// The inserted image's full path, or "" when none is in (or the setting cannot be read).
std::string InsertedCdImage();

/// Checks the image and, when it can be read, makes it the drive of the options. A bad image
/// gets a message naming it and the reason, and nothing changes. True when it is in.
bool InsertCdImage(const std::string& path);

/// The drive of the options is what its letter stands for again.
void EjectCdImage();

}  // namespace talvero
