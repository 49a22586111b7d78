#include "platform/AppFolder.h"

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/Process.h"

#include <algorithm>
#include <optional>

namespace talvero {

namespace {
std::optional<std::string>& OverriddenAppFolder()
{
    static std::optional<std::string> folder;
    return folder;
}

std::string WithoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}
}  // namespace

std::string AppFolder()
{
    if (OverriddenAppFolder())
        return *OverriddenAppFolder();
    return ProgramFolder();
}

std::string ProgramFolder()
{
    std::string exe = RunningExecutablePath();
    return WithoutTrailingSeparator(FolderOf(exe, std::string{'/', NativeSeparator()}));
}

AppFolderChoice ChooseAppFolder(const std::string& commandLineFolder, const std::string& programFolder,
                                const std::optional<std::string>& userDataFolder)
{
    if (!commandLineFolder.empty())
        return {WithoutTrailingSeparator(commandLineFolder), AppFolderSource::CommandLine};
    const bool holdsLayout =
        FolderExists(JoinPath(programFolder, "WinUAE")) || FolderExists(JoinPath(programFolder, "Data"));
    if (holdsLayout || !userDataFolder)
        return {programFolder, AppFolderSource::ProgramFolder};
    return {*userDataFolder, AppFolderSource::UserData};
}

void SetAppFolder(const std::string& folder)
{
    OverriddenAppFolder() = WithoutTrailingSeparator(folder);
}

std::string NativePath(std::string_view path)
{
    std::string native(path);
    for (char& c : native) {
        if (c == '\\' || c == '/')
            c = NativeSeparator();
    }
    return native;
}

std::vector<std::string_view> PathParts(std::string_view path)
{
    std::vector<std::string_view> parts;
    for (std::size_t begin = 0; begin < path.size();) {
        const std::size_t end = std::min(path.find_first_of("\\/", begin), path.size());
        if (end > begin)
            parts.push_back(path.substr(begin, end - begin));
        begin = end + 1;
    }
    return parts;
}

std::string AppPath(std::string_view relative)
{
    return AppFolder() + NativePath(relative);
}

std::string JoinPath(const std::string& folder, std::string_view name)
{
    if (!folder.empty() && (folder.back() == NativeSeparator()))
        return folder + std::string(name);
    return folder + NativeSeparator() + std::string(name);
}

}  // namespace talvero
