#include "app/Shutdown.h"

#include "emulator/ConfigEditor.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/IgnoringFailure.h"

namespace talvero {

void ResetConfigurationAtShutdown()
{
    IgnoringFailure([] { SetConfigValue("filesystem=", "rw,tmp:" + AppPath("\\Cache\\tmp")); });
    IgnoringFailure([] { SetConfigValue("win32.map_drives=", "false"); });
    IgnoringFailure([] {
        const std::string leftover = AppPath(kConfigTempFile);
        if (FileExists(leftover))
            RemoveFile(leftover);
    });
}

}  // namespace talvero
