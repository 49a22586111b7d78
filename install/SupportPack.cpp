#include "install/SupportPack.h"

#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <algorithm>

namespace talvero {

namespace {

// A runtime file can be cut from the pack again; save data cannot.
enum class Kind { Rebuildable, SaveData };

// The member (a few kilobytes) is read whole before anything is written, so a pack that ends too
// early (62) leaves no partial member behind that could pass for a complete one. A runtime file
// takes the pack's last-change time, so that one with the pack's time and the member's size is
// known to be current and is left as it is (a link in its place is not: it is replaced).
void WriteMember(const PackMember& member, const std::string& folder, Kind kind = Kind::Rebuildable,
                 Unchanged unchanged = Unchanged::Kept)
{
    const std::string pack = AppPath(kSupportPack);
    const std::string target = JoinPath(folder, member.name);
    const auto packStamp = StampOf(pack);
    if (kind == Kind::Rebuildable && unchanged == Unchanged::Kept && packStamp &&
        StampOfRegularEntry(target) == FileStamp{member.Length(), packStamp->modified})
        return;
    std::string bytes;
    bytes.reserve(member.Length());
    for (int piece = 0; piece < member.pieces; ++piece) {
        const std::uint64_t offset =
            member.firstByte - 1 + static_cast<std::uint64_t>(piece) * member.pieceLength;
        bytes += ReadFileRange(pack, offset, member.pieceLength);
    }
    if (kind == Kind::SaveData || !packStamp) {
        ReplaceFileContents(target, bytes);
        return;
    }
    WriteCacheFile(
        target, [&](const ByteSink& write) { write(bytes.data(), bytes.size()); }, packStamp->modified);
}

}  // namespace

const std::vector<PackMember>& PackMembers()
{
    static const std::vector<PackMember> members = {Member::Lowlevel, Member::Nonvolatile,
                                                    Member::Fakepad,  Member::NvramHardfile,
                                                    Member::Debox,    Member::Playerprefs};
    return members;
}

std::uint64_t PackLength()
{
    const PackMember& last = PackMembers().back();
    return last.firstByte - 1 + last.Length();
}

void ExtractLowlevel(std::int16_t mode, const std::string& folder, Unchanged unchanged)
{
    WriteMember(Member::Lowlevel, folder, Kind::Rebuildable, unchanged);
    if (mode != 1)
        WriteMember(Member::Nonvolatile, folder, Kind::Rebuildable, unchanged);
}

void ExtractDebox(const std::string& folder, Unchanged unchanged)
{
    WriteMember(Member::Debox, folder, Kind::Rebuildable, unchanged);
    WriteMember(Member::Playerprefs, folder, Kind::Rebuildable, unchanged);
}

void ExtractFakepad(const std::string& folder, Unchanged unchanged)
{
    WriteMember(Member::Fakepad, folder, Kind::Rebuildable, unchanged);
}

void ExtractNvramHardfile(const std::string& folder)
{
    // Any entry of that name holds save data or stands in its way: hidden or not, it is kept.
    if (EntryExists(JoinPath(folder, Member::NvramHardfile.name)))
        return;
    WriteMember(Member::NvramHardfile, folder, Kind::SaveData);
}

}  // namespace talvero
