#include "install/AppFolderLayout.h"

#include "emulator/ConfigEditor.h"
#include "emulator/DefaultConfiguration.h"
#include "emulator/EmulatorInterface.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

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

}  // namespace talvero
