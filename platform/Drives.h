#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvero {

/// One entry of the drive list: its text begins with the letter and the colon ("D: /media/cdrom0").
struct DriveEntry {
    char letter;
    std::string text;
};

/// The root folder of a drive given as its letter and colon ("D:"), or nothing when the drive
/// does not resolve. On Linux "X:" is AppFolder/Drives/X when that folder (or link to one)
/// exists, otherwise the mount point of the optical drive /dev/sr0 for D:, /dev/sr1 for E:, and
/// so on; C: is the root folder.
std::optional<std::string> DriveRoot(std::string_view drive);

/// Every drive letter that resolves, C: always among them.
std::vector<DriveEntry> ListDrives();

/// The full path of a file on a drive, the path spelled with backslashes from the drive's root
/// ("\WV_Disk_1\wv"). On a case-sensitive file system each component is matched regardless of
/// letter case, exact spelling first. A drive that does not resolve fails with 76.
std::string PathOnDrive(std::string_view drive, std::string_view path);

/// While one exists, PathOnDrive lists each folder that it has to search for another letter case
/// only once (a game start looks up thousands of names on a disc that does not change meanwhile),
/// so the cost grows with the number of names, not with its square.
class DriveListingCache {
public:
    DriveListingCache();
    ~DriveListingCache();
    DriveListingCache(const DriveListingCache&) = delete;
    DriveListingCache& operator=(const DriveListingCache&) = delete;
};

}  // namespace talvero
