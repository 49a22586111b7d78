#pragma once

#include "install/MissingFiles.h"

#include <string>

namespace talvero {

/// What to tell the user after a game was started through the FS-UAE bridge while the Kickstart
/// ROM that the options name is missing (FS-UAE then runs its own replacement ROM); empty when
/// the game's emulator is no Windows program stood in for, or the ROM is there.
std::string BuiltInRomNote(const std::string& title, const EmulatorHost& host = ThisEmulatorHost());

}  // namespace talvero
