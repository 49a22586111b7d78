#include "platform/Drives.h"

#include "platform/AppFolder.h"

#include <cctype>
#include <windows.h>

namespace talvero {

std::optional<std::string> DriveRoot(std::string_view drive)
{
    if (drive.size() < 2 || drive[1] != ':')
        return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    if (letter < 'A' || letter > 'Z' || !(GetLogicalDrives() & (1u << (letter - 'A'))))
        return std::nullopt;
    return std::string{letter, ':', '\\'};
}

// Drive letters stay the system's: an image is a drive once the system has mounted it.
std::optional<DriveSource> ResolveDrive(std::string_view drive)
{
    if (auto root = DriveRoot(drive))
        return DriveSource{DriveKind::Folder, std::move(*root)};
    return std::nullopt;
}

std::vector<DriveEntry> ListDrives()
{
    std::vector<DriveEntry> drives;
    const DWORD present = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (present & (1u << (letter - 'A')))
            drives.push_back({letter, std::string{letter, ':', ' ', '[', letter, ':', '\\', ']'}});
    }
    return drives;
}

// On Windows the drive and the path are simply joined, as the program always did; the file
// system ignores letter case by itself.
std::string PathOnDrive(std::string_view drive, std::string_view path)
{
    return std::string(drive.substr(0, 2)) + std::string(path);
}

std::string PathBelow(const std::string& folder, std::string_view path)
{
    return JoinPath(folder, NativePath(path));
}

// Nothing is listed here, so there is nothing to keep.
DriveListingCache::DriveListingCache() = default;
DriveListingCache::~DriveListingCache() = default;

}  // namespace talvero
