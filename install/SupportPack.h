#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The Amiga runtime files that several games need, cut out of AppFolder\Talvero.dat, where they
// lie back to back at fixed positions.
namespace talvero {

inline constexpr const char* kSupportPack = "\\Talvero.dat";

struct PackMember {
    const char* name;
    std::uint64_t firstByte;  // 1-based position in the pack
    std::size_t pieceLength;
    int pieces;
    std::size_t Length() const { return pieceLength * static_cast<std::size_t>(pieces); }
};

namespace Member {
inline constexpr PackMember Lowlevel{"lowlevel.library", 1, 27724, 1};
inline constexpr PackMember Nonvolatile{"nonvolatile.library", 27725, 4024, 1};
inline constexpr PackMember Fakepad{"fakepad", 31749, 1828, 1};
inline constexpr PackMember NvramHardfile{"nvram.hdf", 33577, 32768, 1};
inline constexpr PackMember Debox{"debox.library", 66345, 3500, 1};
inline constexpr PackMember Playerprefs{"playerprefs.library", 69845, 8683, 20};
}  // namespace Member

/// All six members in pack order.
const std::vector<PackMember>& PackMembers();

/// The number of bytes a complete pack holds.
std::uint64_t PackLength();

/// What becomes of a runtime file that is already a regular file with the member's size and the
/// pack's last-change time: kept, or written again (when it may not have reached the disk).
enum class Unchanged { Kept, Rewritten };

/// lowlevel.library; when mode is not 1, also nonvolatile.library.
void ExtractLowlevel(std::int16_t mode, const std::string& folder, Unchanged unchanged = Unchanged::Kept);
/// debox.library, then playerprefs.library.
void ExtractDebox(const std::string& folder, Unchanged unchanged = Unchanged::Kept);
void ExtractFakepad(const std::string& folder, Unchanged unchanged = Unchanged::Kept);
/// nvram.hdf, only when the folder holds no file of that name.
void ExtractNvramHardfile(const std::string& folder);

}  // namespace talvero
