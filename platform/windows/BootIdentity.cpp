#include "platform/BootIdentity.h"

#include <windows.h>

namespace talvero {

namespace {

// SystemTimeOfDayInformation of NtQuerySystemInformation: the kernel's own record of when the
// system started, which stays the same until the next boot.
struct TimeOfDayInformation {
    LARGE_INTEGER bootTime;
    LARGE_INTEGER currentTime;
    LARGE_INTEGER timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
    ULONGLONG bootTimeBias;
    ULONGLONG sleepTimeBias;
};
constexpr ULONG kSystemTimeOfDayInformation = 3;
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

}  // namespace

// The boot time the kernel keeps. The clock less the time since boot, rounded to the minute,
// could change when the two readings fell on either side of a minute.
std::string BootIdentity()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll ? reinterpret_cast<QuerySystemInformation>(
                                   reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")))
                             : nullptr;
    TimeOfDayInformation information{};
    if (!query || query(kSystemTimeOfDayInformation, &information, sizeof information, nullptr) < 0 ||
        information.bootTime.QuadPart == 0)
        return "";
    return std::to_string(information.bootTime.QuadPart);
}

}  // namespace talvero
