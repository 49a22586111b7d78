#include "platform/TimeText.h"

namespace talvero {

std::string LocalTimeText(std::time_t when)
{
    // Each program logs from one thread only, so the shared result of localtime is safe here.
    const std::tm* local = std::localtime(&when);
    char text[32];
    return local ? std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local))
                 : std::string();
}

}  // namespace talvero
