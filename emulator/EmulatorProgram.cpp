#include "emulator/EmulatorProgram.h"

#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/Installation.h"
#include "platform/PathText.h"
#include "platform/Process.h"

namespace talvero {

namespace {

std::string CannotRunMessage(const std::string& executable, bool fsUaeFound)
{
    std::string text =
        "The emulator " + LastPartOf(executable) + " is a Windows program and cannot run here.\n\n";
    if (fsUaeFound)
        text += std::string("Talvero's emulator bridge (") + kBridgeProgram +
                ") is missing, which starts FS-UAE in its place. Reinstall Talvero.";
    else
        text += "Install FS-UAE (on Debian: sudo apt-get install fs-uae) and Talvero starts it in its place, "
                "or put a Linux emulator (or a script that starts one) under that name into\n" +
                FolderOf(executable);
    return text;
}

}  // namespace

bool IsWindowsExecutable(const std::string& path)
{
    try {
        return FileExists(path) && FileSize(path) >= 2 && ReadFileRange(path, 0, 2) == "MZ";
    } catch (const FileError&) {
        return false;  // unreadable: the start itself reports it
    }
}

std::optional<std::int64_t> StartEmulatorProgram(const std::string& executable)
{
    std::int64_t pid = 0;
    if (!RunsWindowsPrograms() && IsWindowsExecutable(executable)) {
        const bool fsUaeFound = !FindProgramOnPath("fs-uae").empty();
        const std::string bridge = HelperProgramPath(kBridgeProgram);
        if (!fsUaeFound || !FileExists(bridge)) {
            ShowMessage(CannotRunMessage(executable, fsUaeFound), MessageIcon::Critical);
            return std::nullopt;
        }
        // The bridge reads the configuration file of the emulator folder it is given.
        pid = StartDetachedProcess(bridge, {FolderOf(executable)});
    } else {
        pid = StartDetachedProcess(executable, {});
    }
    return pid;
}

}  // namespace talvero
