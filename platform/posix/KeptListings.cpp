#include "platform/posix/KeptListings.h"

#include "platform/PathText.h"
#include "platform/posix/ErrnoMapping.h"

namespace talvero::posix {

void AddName(CaseIndex& index, const std::string& name)
{
    const auto [found, added] = index.emplace(AsciiLower(name), name);
    if (!added && name < found->second)
        found->second = name;
}

ListingCache& Listings()
{
    static ListingCache cache;
    return cache;
}

void NoteEntryMade(const std::string& path)
{
    auto& written = Listings().written;
    if (const auto listed = written.find(FolderOf(path)); listed != written.end())
        AddName(listed->second, LastPartOf(path, "/"));
}

void NoteEntryRemoved(const std::string& path)
{
    // Another spelling of the name may remain: the folder is listed afresh when next needed.
    Listings().written.erase(FolderOf(path));
}

}  // namespace talvero::posix
