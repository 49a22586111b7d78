#include "platform/Process.h"

#include "platform/FileError.h"
#include "platform/windows/ErrorMapping.h"

#include <windows.h>

namespace talvero {

char NativeSeparator()
{
    return '\\';
}

std::string RunningExecutablePath()
{
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

void StartProcess(const std::string& executable)
{
    const DWORD attributes = GetFileAttributesA(executable.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        windows::ThrowLastError(executable);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        ThrowFileError(ErrorNumber::PathFileAccess, executable);

    const auto cut = executable.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string(".") : executable.substr(0, cut);
    std::string commandLine = "\"" + executable + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        windows::ThrowLastError(executable);
    // The emulator runs on by itself; no handle of it is kept.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace talvero
