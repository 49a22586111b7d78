#include "app/KickstartNote.h"

#include "emulator/EmulatorInterface.h"
#include "emulator/EmulatorProgram.h"
#include "emulator/KickstartPath.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

namespace talvero {

std::string BuiltInRomNote(const std::string& title, const EmulatorHost& host)
{
    const GameProfile* profile = FindProfile(title);
    if (!profile || host.runsWindowsPrograms ||
        !IsWindowsExecutable(AppPath(std::string(kEmulatorFolder) + "\\" + profile->executable)))
        return {};
    const auto rom = NamedKickstartRom();
    if (rom && FileExists(*rom))
        return {};
    return "The Kickstart ROM that the options name is not there" + (rom ? ":\n" + *rom : std::string(".")) +
           "\n\nFS-UAE runs the game with its own replacement ROM, with which many games work. For your "
           "own Kickstart 3.1 ROM, choose its file in Program > Options (a name without a folder is looked "
           "for in " +
           AppPath(kEmulatorFolder) + ").";
}

}  // namespace talvero
