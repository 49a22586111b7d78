#include "platform/BootIdentity.h"

#include <windows.h>

namespace talvero {

// The time the system started, from the clock and the time it has been up, in whole minutes so
// that the few milliseconds between the two readings do not change it. A clock set meanwhile
// changes it too, which costs one start that copies every file again.
std::string BootIdentity()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG hundredNanoseconds = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const ULONGLONG bootMinute = (hundredNanoseconds / 10000 - GetTickCount64()) / 60000;
    return std::to_string(bootMinute);
}

}  // namespace talvero
