#include "platform/Installation.h"

#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <cstdlib>

namespace talvero {

std::optional<std::string> UserDataFolder()
{
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules ask.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return JoinPath(dataHome, "talvero");
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return std::nullopt;
    return JoinPath(home, ".local/share/talvero");
}

bool RunsWindowsPrograms()
{
    return false;
}

std::string HelperProgramPath(const std::string& name)
{
    const std::string folder = ProgramFolder();
    const std::string installed = folder + "/../libexec/talvero/" + name;
    return FileExists(installed) ? installed : JoinPath(folder, name);
}

}  // namespace talvero
