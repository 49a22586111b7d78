#include "app/AppFolderSetup.h"

#include "emulator/ConfigEditor.h"
#include "emulator/DefaultConfiguration.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <vector>

namespace talvero {

void LayOutAppFolder()
{
    CreateFolderWithParents(AppFolder());
    for (const char* folder :
         {"\\Cache", "\\Data", "\\Previews", kEmulatorFolder, "\\WinUAE\\Configurations"})
        CreateFolderIfMissing(AppPath(folder));
    if (!FileExists(AppPath(kConfigFile)))
        ReplaceFileContents(AppPath(kConfigFile), DefaultUaeTemplate());
}

std::string MissingFilesNotice()
{
    std::vector<std::string> missing;
    int missingDataFiles = 0;
    for (const GameProfile& profile : GameProfiles())
        missingDataFiles += FileExists(DataFilePath(profile)) ? 0 : 1;
    if (missingDataFiles > 0)
        missing.push_back("the game data files (" + std::to_string(missingDataFiles) + " of " +
                          std::to_string(GameProfiles().size()) + " missing), one per game, into\n      " +
                          AppPath("\\Data"));
    if (!FileExists(AppPath(kSupportPack)))
        missing.push_back("the support-file pack as\n      " + AppPath(kSupportPack));
    std::string emulators;
    for (const char* executable : {kEmulator817, kEmulator814}) {
        if (!FileExists(AppPath(std::string(kEmulatorFolder) + "\\" + executable)))
            emulators += (emulators.empty() ? "" : " and ") + std::string(executable);
    }
    if (!emulators.empty())
        missing.push_back("the emulator folder, holding " + emulators + ", as\n      " +
                          AppPath(kEmulatorFolder));
    if (missing.empty())
        return {};
    std::string text =
        "Talvero keeps its files in " + AppFolder() + ", and some are not there yet. Put there:\n";
    for (const std::string& item : missing)
        text += "  - " + item + "\n";
    text += "\nGames can be started once they are in place. The options, the NVRAM manager and the help "
            "work meanwhile.";
    return text;
}

}  // namespace talvero
