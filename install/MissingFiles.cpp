#include "install/MissingFiles.h"

#include "emulator/EmulatorInterface.h"
#include "emulator/EmulatorProgram.h"
#include "emulator/KickstartPath.h"
#include "games/GameProfiles.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Installation.h"
#include "platform/Process.h"

namespace talvero {

EmulatorHost ThisEmulatorHost()
{
    return {RunsWindowsPrograms(), !FindProgramOnPath("fs-uae").empty()};
}

bool MissingFiles::Any() const
{
    return !dataFiles.empty() || supportPack || kickstartRom || !emulatorPrograms.empty() || fsUae;
}

std::optional<std::string> MissingDataFile(const std::string& title)
{
    const GameProfile* profile = FindProfile(title);
    if (!profile || FileExists(DataFilePath(*profile)))
        return std::nullopt;
    return profile->title + ".dat";
}

MissingFiles FindMissingFiles(const EmulatorHost& host)
{
    MissingFiles missing;
    for (const GameProfile& profile : GameProfiles()) {
        if (auto name = MissingDataFile(profile.title))
            missing.dataFiles.push_back(*name);
    }
    missing.supportPack = !FileExists(AppPath(kSupportPack));
    const auto rom = NamedKickstartRom();
    if (!rom || !FileExists(*rom))
        missing.kickstartRom = rom.value_or("");

    // Where Windows programs cannot run, the bridge stands in for a Windows emulator (the folder
    // may stay empty), so only FS-UAE is needed, unless the folder holds other programs under the
    // emulators' names, which are started as they are.
    bool nativeEmulators = true;
    for (const char* executable : {kEmulator817, kEmulator814}) {
        const std::string path = AppPath(std::string(kEmulatorFolder) + "\\" + executable);
        if (host.runsWindowsPrograms && !FileExists(path))
            missing.emulatorPrograms.push_back(executable);
        if (!FileExists(path) || IsWindowsExecutable(path))
            nativeEmulators = false;
    }
    missing.fsUae = !host.runsWindowsPrograms && !host.fsUaeInstalled && !nativeEmulators;
    return missing;
}

}  // namespace talvero
