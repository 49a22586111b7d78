#include "platform/Installation.h"

#include "platform/AppFolder.h"

namespace talvero {

std::optional<std::string> UserDataFolder()
{
    return std::nullopt;
}

bool RunsWindowsPrograms()
{
    return true;
}

std::string HelperProgramPath(const std::string& name)
{
    return JoinPath(ProgramFolder(), name + ".exe");
}

}  // namespace talvero
