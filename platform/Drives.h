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

enum class DriveKind { Folder, Image };

/// What a drive letter stands for: a folder (its root) or a CD image file.
struct DriveSource {
    DriveKind kind;
    std::string path;
};

/// What a drive given as its letter and colon ("D:") stands for, or nothing when it does not
/// resolve. On Linux "X:" is, in this order: AppFolder/Drives/X when that is a folder or a link
/// to one; the image that AppFolder/Drives/X links to; the image AppFolder/Drives/X.iso, X.cue
/// or X.nrg; the mount point of the optical drive /dev/sr0 for D:, /dev/sr1 for E:, and so on.
/// C: is the root folder. On Windows the system's drive letters are folders.
std::optional<DriveSource> ResolveDrive(std::string_view drive);

/// The root folder of a drive that resolves to a folder, or nothing.
std::optional<std::string> DriveRoot(std::string_view drive);

/// Every drive letter that resolves (folders and images), C: always among them.
std::vector<DriveEntry> ListDrives();

/// The full path of a file on a drive, the path spelled with backslashes from the drive's root
/// ("\WV_Disk_1\wv"). On a case-sensitive file system each component is matched regardless of
/// letter case, exact spelling first. A drive that does not resolve to a folder fails with 76.
std::string PathOnDrive(std::string_view drive, std::string_view path);

/// The full path of a relative path (spelled with backslashes) below a folder. On a
/// case-sensitive file system each component that exists is matched regardless of letter case,
/// exact spelling first; a component that does not exist keeps the path's spelling.
std::string PathBelow(const std::string& folder, std::string_view path);

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
