#include "platform/Drives.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/posix/ErrnoMapping.h"
#include "platform/posix/KeptListings.h"
#include "platform/posix/MountTable.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace talvero {

using posix::AddName;
using posix::CaseIndex;
using posix::ListingCache;
using posix::Listings;

namespace {

std::optional<char> DriveLetter(std::string_view drive)
{
    if (drive.size() < 2 || drive[1] != ':')
        return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    if (letter < 'A' || letter > 'Z')
        return std::nullopt;
    return letter;
}

std::string RealPathOf(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// Mount tables escape blanks and a few other characters as three octal digits (\040); a
// backslash not followed by three octal digits is taken as it stands.
std::string Unescape(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            out += static_cast<char>(((field[i + 1] - '0') * 8 + (field[i + 2] - '0')) * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string ReadMountTable()
{
    std::ifstream in("/proc/self/mounts");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::string> OpticalDriveMount(char letter)
{
    if (letter < 'D')
        return std::nullopt;
    const std::string device = "/dev/sr" + std::to_string(letter - 'D');
    const auto points = posix::MountPointsOf(device, ReadMountTable());
    if (points.empty())
        return std::nullopt;
    return points.front();
}

CaseIndex ListFolder(const std::string& folder)
{
    CaseIndex index;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return index;
    while (const dirent* entry = ::readdir(dir))
        AddName(index, entry->d_name);
    ::closedir(dir);
    return index;
}

// How a folder's listing is kept during an install: a disc does not change meanwhile; the game's
// cache changes only by what the install itself writes, which updates the kept listing.
enum class Listing { OfDisc, Written };

// The entry of `folder` spelled `name`, exact spelling first, then regardless of letter case.
std::string MatchEntry(const std::string& folder, const std::string& name, Listing listing)
{
    struct stat st {};
    if (::lstat(JoinPath(folder, name).c_str(), &st) == 0)
        return name;
    ListingCache& cache = Listings();
    CaseIndex uncached;
    const CaseIndex* index = &uncached;
    if (cache.holders > 0) {
        auto& kept = listing == Listing::OfDisc ? cache.folders : cache.written;
        auto listed = kept.find(folder);
        if (listed == kept.end())
            listed = kept.emplace(folder, ListFolder(folder)).first;
        index = &listed->second;
    } else {
        uncached = ListFolder(folder);
    }
    const auto found = index->find(AsciiLower(name));
    return found == index->end() ? name : found->second;
}

// Why a letter stands for nothing, naming every place it was looked for.
std::string NothingBehind(std::string_view drive)
{
    const auto letter = DriveLetter(drive);
    if (!letter)
        return "Path not found: \"" + std::string(drive.substr(0, 2)) + "\" is no drive letter";
    const std::string folder = AppPath("\\Drives\\") + *letter;
    std::string places = "the folder " + folder + ", the image " + folder + ".iso, .cue or .nrg";
    if (*letter >= 'D')
        places += ", or the mount point of /dev/sr" + std::to_string(*letter - 'D');
    return "Path not found: on Linux the drive " + std::string{*letter, ':'} + " is " + places +
           ", and none of them exists";
}

}  // namespace

namespace posix {

std::vector<std::string> MountPointsOf(const std::string& device, const std::string& mountTable)
{
    std::vector<std::string> points;
    const std::string wanted = RealPathOf(device);
    std::istringstream lines(mountTable);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string source, target;
        if (!(fields >> source >> target))
            continue;
        source = Unescape(source);
        if (source == device || RealPathOf(source) == wanted)
            points.push_back(Unescape(target));
    }
    return points;
}

}  // namespace posix

std::optional<DriveSource> ResolveDrive(std::string_view drive)
{
    const auto letter = DriveLetter(drive);
    if (!letter)
        return std::nullopt;
    const std::string drivesFolder = AppPath("\\Drives\\") + *letter;
    if (FolderExists(drivesFolder))
        return DriveSource{DriveKind::Folder, drivesFolder};
    // A link to an image file: the image is read under its own name, whose extension tells its
    // kind and beside which a cue sheet's data file lies.
    if (IsLink(drivesFolder)) {
        const std::string target = RealPathOf(drivesFolder);
        if (FileExists(target))
            return DriveSource{DriveKind::Image, target};
    }
    for (const char* extension : {".iso", ".cue", ".nrg"}) {
        if (FileExists(drivesFolder + extension))
            return DriveSource{DriveKind::Image, drivesFolder + extension};
    }
    if (*letter == 'C')
        return DriveSource{DriveKind::Folder, "/"};
    if (auto mount = OpticalDriveMount(*letter))
        return DriveSource{DriveKind::Folder, std::move(*mount)};
    return std::nullopt;
}

std::optional<std::string> DriveRoot(std::string_view drive)
{
    const auto source = ResolveDrive(drive);
    if (!source || source->kind != DriveKind::Folder)
        return std::nullopt;
    return source->path;
}

std::vector<DriveEntry> ListDrives()
{
    std::vector<DriveEntry> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name{letter, ':'};
        if (const auto source = ResolveDrive(name))
            drives.push_back({letter, name + " " + source->path});
    }
    return drives;
}

namespace {

// DriveRoot, looked up once per drive while a DriveListingCache exists.
std::optional<std::string> KeptDriveRoot(std::string_view drive)
{
    ListingCache& cache = Listings();
    if (cache.holders == 0)
        return DriveRoot(drive);
    auto known = cache.roots.find(drive);
    if (known == cache.roots.end())
        known = cache.roots.emplace(std::string(drive), DriveRoot(drive)).first;
    return known->second;
}

std::string MatchPathBelow(const std::string& folder, std::string_view path, Listing listing)
{
    std::string resolved = folder;
    for (std::string_view part : PathParts(path))
        resolved = JoinPath(resolved, MatchEntry(resolved, std::string(part), listing));
    return resolved;
}
}  // namespace

std::string PathOnDrive(std::string_view drive, std::string_view path)
{
    const std::string onDrive = std::string(drive) + std::string(path);
    ListingCache& cache = Listings();
    if (cache.holders > 0) {
        if (const auto known = cache.paths.find(onDrive); known != cache.paths.end())
            return known->second;
    }
    const auto root = KeptDriveRoot(drive);
    if (!root)
        ThrowFileError(ErrorNumber::PathNotFound, onDrive, NothingBehind(drive));
    std::string found = MatchPathBelow(*root, path, Listing::OfDisc);
    if (cache.holders > 0)
        cache.paths.emplace(onDrive, found);
    return found;
}

std::string PathBelow(const std::string& folder, std::string_view path)
{
    return MatchPathBelow(folder, path, Listing::Written);
}

DriveListingCache::DriveListingCache()
{
    ++Listings().holders;
}

DriveListingCache::~DriveListingCache()
{
    // The last holder gone, everything kept goes with it.
    if (--Listings().holders == 0)
        Listings() = ListingCache{};
}

}  // namespace talvero
