#include "platform/Drives.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/posix/MountTable.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace talvero {

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

// Mount tables escape blanks and a few other characters as octal (\040).
std::string Unescape(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::isdigit(static_cast<unsigned char>(field[i + 1]))) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
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

bool IsLink(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The entry of `folder` spelled `name`, exact spelling first, then regardless of letter case.
std::string MatchEntry(const std::string& folder, const std::string& name)
{
    struct stat st {};
    if (::lstat(JoinPath(folder, name).c_str(), &st) == 0)
        return name;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return name;
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir)) {
        if (EqualIgnoringCase(entry->d_name, name))
            matches.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    if (matches.empty())
        return name;
    std::sort(matches.begin(), matches.end());
    return matches.front();
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

std::string PathOnDrive(std::string_view drive, std::string_view path)
{
    const auto root = DriveRoot(drive);
    if (!root)
        ThrowFileError(ErrorNumber::PathNotFound, std::string(drive) + std::string(path));
    return PathBelow(*root, path);
}

std::string PathBelow(const std::string& folder, std::string_view path)
{
    std::string resolved = folder;
    std::string component;
    std::istringstream parts{NativePath(path)};
    while (std::getline(parts, component, NativeSeparator())) {
        if (component.empty())
            continue;
        resolved = JoinPath(resolved, MatchEntry(resolved, component));
    }
    return resolved;
}

}  // namespace talvero
