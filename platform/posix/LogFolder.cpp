#include "platform/ActivityLog.h"

#include <cstdlib>

namespace talvero {

std::string LogFolder()
{
    // The XDG base directories: state that outlives a run but is not worth a backup.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::string(state) + "/talvero";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/talvero";
}

}  // namespace talvero
