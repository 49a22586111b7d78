#include "platform/windows/ErrorMapping.h"

#include "platform/FileError.h"

#include <windows.h>

namespace talvero::windows {

namespace {
// The system's own text for an error code, without its line end.
std::string SystemMessage(unsigned long error)
{
    char buffer[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                  0, buffer, sizeof buffer, nullptr);
    while (length > 0 &&
           (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    return length > 0 ? std::string(buffer, length) : "Windows error " + std::to_string(error);
}
}  // namespace

ErrorNumber ErrorNumberFromWindowsError(unsigned long error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return ErrorNumber::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return ErrorNumber::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANNOT_MAKE:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
    case ERROR_BAD_EXE_FORMAT:
        return ErrorNumber::PathFileAccess;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return ErrorNumber::PermissionDenied;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return ErrorNumber::DiskFull;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return ErrorNumber::BadFileName;
    case ERROR_TOO_MANY_OPEN_FILES:
        return ErrorNumber::TooManyFiles;
    case ERROR_NOT_READY:
        return ErrorNumber::DiskNotReady;
    default:
        return ErrorNumber::DeviceIO;
    }
}

void ThrowWindowsError(unsigned long error, const std::string& path)
{
    ThrowFileError(ErrorNumberFromWindowsError(error), path, SystemMessage(error));
}

void ThrowLastError(const std::string& path)
{
    ThrowWindowsError(GetLastError(), path);
}

}  // namespace talvero::windows
