// The emulator bridge: starts FS-UAE, a real Amiga emulator, with a configuration translated from
// the lines Talvero wrote into Configurations/Default.uae of the emulator folder. It takes the
// emulator's place in AppFolder/WinUAE (under both executable names), or Talvero starts it with
// the emulator folder as its one argument when that folder holds a Windows emulator. It then
// becomes the emulator (exec), so that the process Talvero started lives as long as the emulated
// Amiga; it records that process id and the generated file in bridge.log in the emulator folder.
#include "emulator/bridge/FsUaeTranslation.h"
#include "emulator/standin/LaunchCheck.h"
#include "emulator/standin/SummaryWindow.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "platform/TimeText.h"

#include <cstdlib>
#include <fstream>
#include <utility>

using namespace talvero;

namespace {

bool IsKickstartRom(const std::string& path)
{
    try {
        return FileExists(path) && HasKickstartRomSize(FileSize(path));
    } catch (const FileError&) {
        return false;
    }
}

class Log {
public:
    explicit Log(std::string path) : m_path(std::move(path)) {}
    // Each line is appended and the file closed at once: the process may become the emulator
    // right after it, which must not inherit the open log.
    void Line(const std::string& text)
    {
        std::ofstream(m_path, std::ios::app | std::ios::binary) << text << "\n";
    }

private:
    std::string m_path;
};

}  // namespace

int main(int argc, char** argv)
{
    const std::string emulatorFolder = argc > 1 ? std::string(argv[1]) : AppFolder();
    Log log(JoinPath(emulatorFolder, "bridge.log"));
    const std::string self = RunningExecutablePath();
    log.Line("=== bridge start " + LocalTimeText() + " ===");
    log.Line("executable: " + LastPartOf(self));

    const std::string fsUae = FindProgramOnPath("fs-uae");
    if (fsUae.empty()) {
        const std::string message = "FS-UAE is not installed, so no Amiga can be started.\n"
                                    "Install it (Debian: apt-get install fs-uae) and start the game again.";
        log.Line("error: fs-uae not found on the search path");
        ShowNoticeWhereDisplayed(argc, argv, "Talvero emulator bridge", message);
        return 3;
    }

    try {
        const std::string config =
            ReadFileBytes(JoinPath(JoinPath(emulatorFolder, "Configurations"), "Default.uae"));
        const std::string ownFolder = JoinPath(emulatorFolder, "FS-UAE");
        CreateFolderIfMissing(ownFolder);
        CreateFolderIfMissing(JoinPath(ownFolder, "home"));
        CreateFolderIfMissing(JoinPath(ownFolder, "base"));

        // The drive letters are Talvero's, whose folder holds the emulator folder.
        SetAppFolder(FolderOf(emulatorFolder));
        FsUaeInputs inputs;
        inputs.defaultUae = config;
        inputs.emulatorFolder = emulatorFolder;
        inputs.baseDir = JoinPath(ownFolder, "base");
        // Folders only: an image drive has no folder to hand over.
        for (const DriveEntry& drive : ListDrives()) {
            if (const auto root = DriveRoot(std::string{drive.letter, ':'}))
                inputs.drives.emplace_back(drive.letter, *root);
        }
        inputs.isKickstartRom = IsKickstartRom;
        const FsUaeTranslation translation = TranslateToFsUae(inputs);

        const std::string generated = JoinPath(ownFolder, "Talvero.fs-uae");
        WriteFileBytes(generated, translation.config);
        for (const std::string& note : translation.notes)
            log.Line("note: " + note);
        log.Line("config: " + generated);

        // A private home keeps FS-UAE out of the user's folders; without a display it renders
        // offscreen.
        EnvironmentChanges environment = {{"HOME", JoinPath(ownFolder, "home")}};
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
            environment.emplace_back("SDL_VIDEODRIVER", "offscreen");
        log.Line("emulator: " + fsUae + " pid " + std::to_string(CurrentProcessId()));
        ReplaceProcess(fsUae, {generated}, environment, JoinPath(ownFolder, "fs-uae-output.log"));
    } catch (const FileError& error) {
        log.Line(std::string("error: ") + error.what());
        ShowNoticeWhereDisplayed(argc, argv, "Talvero emulator bridge",
                                 std::string("The emulator could not be started: ") + error.what());
        return 2;
    }
    return 0;
}
