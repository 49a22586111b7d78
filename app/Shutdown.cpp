#include "app/Shutdown.h"

#include "emulator/ConfigEditor.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/IgnoringFailure.h"

#include <optional>

namespace talvero {

void ResetConfigurationAtShutdown()
{
    // One turn for the whole sequence: a start in another copy of the program writes Default.new
    // under the same lock, and must not lose it in the middle of its turn.
    std::optional<ConfigurationTurn> turn;
    IgnoringFailure([&] { turn.emplace(); });
    IgnoringFailure([] { SetConfigValue("filesystem=", "rw,tmp:" + AppPath("\\Cache\\tmp")); });
    IgnoringFailure([] { SetConfigValue("win32.map_drives=", "false"); });
    IgnoringFailure([] {
        const std::string leftover = AppPath(kConfigTempFile);
        if (FileExists(leftover))
            RemoveFile(leftover);
    });
}

}  // namespace talvero
