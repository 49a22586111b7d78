#include "platform/ActivityLog.h"

#include <cstdlib>

namespace talvero {

std::string LogFolder()
{
    // Beside the settings, in the user's roaming application data.
    const char* appData = std::getenv("APPDATA");
    return std::string(appData && *appData ? appData : ".") + "\\Talvero";
}

}  // namespace talvero
