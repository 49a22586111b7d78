#include "app/AppFolderSetup.h"

#include "app/StartGame.h"
#include "emulator/ConfigEditor.h"
#include "emulator/DefaultConfiguration.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/MissingFiles.h"
#include "install/SupportPack.h"
#include "platform/ActivityLog.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace talvero {

bool LayOutNewAppFolder()
{
    // Only once: a folder the user has since changed (a Default.uae removed on purpose) is theirs.
    if (FolderExists(AppFolder()))
        return false;
    LayOutAppFolder();
    return true;
}

void ReportCacheFolderNotCreated(const std::exception& failure)
{
    const std::string details = DetailsOf(failure);
    std::string oneLine = details;
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    LogLine(std::string(kMessageCacheFolderNotCreated) + " " + oneLine);
    std::fprintf(stderr, "talvero: %s\n%s\n", kMessageCacheFolderNotCreated, details.c_str());
    ShowMessage(kMessageCacheFolderNotCreated, MessageIcon::Critical, kApplicationTitle, details);
}

bool ImportCanHelp(const MissingFiles& missing)
{
    return !missing.dataFiles.empty() || missing.supportPack || missing.kickstartRom;
}

std::string MissingFilesNotice(const MissingFiles& missing)
{
    if (!missing.Any())
        return {};
    const std::string fromInstallation =
        "\n      from an existing Talvero installation (Extras > Import from another Talvero folder...)";
    std::vector<std::string> items;
    if (!missing.dataFiles.empty())
        items.push_back("the game data files (" + std::to_string(missing.dataFiles.size()) + " of " +
                        std::to_string(GameProfiles().size()) + " missing), one per game, into\n      " +
                        AppPath("\\Data") + fromInstallation);
    if (missing.supportPack)
        items.push_back("the support-file pack as\n      " + AppPath(kSupportPack) + fromInstallation);
    if (missing.kickstartRom)
        items.push_back("a Kickstart 3.1 ROM that you own, as\n      " +
                        (missing.kickstartRom->empty() ? std::string("chosen in Program > Options")
                                                       : *missing.kickstartRom) +
                        "\n      from your Amiga or its ROM dumps, or from an existing Talvero installation");
    if (!missing.emulatorPrograms.empty()) {
        std::string names;
        for (const std::string& name : missing.emulatorPrograms)
            names += (names.empty() ? "" : " and ") + name;
        items.push_back("the emulator folder, holding " + names + ", as\n      " + AppPath(kEmulatorFolder));
    }
    if (missing.fsUae)
        items.push_back("FS-UAE, the Amiga emulator that runs the games here\n      "
                        "from the system's packages (Debian: apt-get install fs-uae)");
    std::string text = "Talvero keeps its files in " + AppFolder() + ", and some are not there yet. Put there:\n";
    for (const std::string& item : items)
        text += "  - " + item + "\n";
    text += "\nEach game also needs its own CD in a drive, or an image of it (Extras > Insert CD image...).\n"
            "Games can be started once the files are in place. The options, the NVRAM manager and the help "
            "work meanwhile.";
    return text;
}

}  // namespace talvero
