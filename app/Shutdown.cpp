#include "app/Shutdown.h"

#include "emulator/ConfigEditor.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <exception>

namespace talvero {

namespace {
template <typename Step>
void IgnoringFailure(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
        // Shutdown goes on whatever fails.
    }
}
}  // namespace

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
