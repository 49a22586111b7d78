#pragma once

#include <string>

// While an install runs, the listings of the game's cache folders are kept (letter-case lookups
// would otherwise list a folder again for every file); the file services report each entry they
// make or remove, so that the kept listings stay true.
namespace talvero::posix {

void NoteEntryMade(const std::string& path);
void NoteEntryRemoved(const std::string& path);

}  // namespace talvero::posix
