#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

// While an install runs, the listings of the game's cache folders are kept (letter-case lookups
// would otherwise list a folder again for every file); the file services report each entry they
// make or remove, so that the kept listings stay true.
namespace talvero::posix {

/// A folder's names by their letter-case folded form; of several spellings the first in byte order.
using CaseIndex = std::map<std::string, std::string>;

void AddName(CaseIndex& index, const std::string& name);

/// The listings kept while a DriveListingCache exists.
struct ListingCache {
    int holders = 0;
    std::map<std::string, CaseIndex> folders;
    /// Folders that the install writes into (the game's cache), kept current with every entry
    /// that this program makes or removes in them.
    std::map<std::string, CaseIndex> written;
    /// What each drive resolved to, and each path on a drive, looked up once per install rather
    /// than each time a file is looked at.
    std::map<std::string, std::optional<std::string>, std::less<>> roots;
    std::map<std::string, std::string, std::less<>> paths;
};

ListingCache& Listings();

void NoteEntryMade(const std::string& path);
void NoteEntryRemoved(const std::string& path);

}  // namespace talvero::posix
