#include "emulator/KickstartPath.h"

#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"

namespace talvero {

bool IsAbsolutePath(const std::string& path)
{
    return (!path.empty() && (path.front() == '/' || path.front() == '\\')) || (path.size() > 1 && path[1] == ':');
}

std::string ResolveKickstartPath(const std::string& value, const std::string& emulatorFolder)
{
    return IsAbsolutePath(value) ? NativePath(value) : PathBelow(emulatorFolder, value);
}

std::optional<std::string> NamedKickstartRom()
{
    std::string config;
    try {
        config = ReadFileBytes(AppPath(kConfigFile));
    } catch (const FileError&) {
        return std::nullopt;
    }
    const auto value = ConfigLineValue(config, "kickstart_rom_file=");
    if (!value || value->empty())
        return std::nullopt;
    return ResolveKickstartPath(*value, AppPath(kEmulatorFolder));
}

}  // namespace talvero
