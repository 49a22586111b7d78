#include "platform/Process.h"

#include "platform/FileError.h"
#include "platform/windows/ErrorMapping.h"
#include "platform/windows/WideText.h"

#include <windows.h>

namespace talvero {

using windows::Utf16FromUtf8;
using windows::Utf8FromUtf16;

std::string RunningExecutablePath()
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return Utf8FromUtf16(buffer, length);
}

std::string FindProgramOnPath(const std::string& name)
{
    wchar_t found[MAX_PATH];
    const DWORD length = SearchPathW(nullptr, Utf16FromUtf8(name).c_str(), L".exe", MAX_PATH, found, nullptr);
    return length > 0 && length < MAX_PATH ? Utf8FromUtf16(found, length) : std::string();
}

std::int64_t StartDetachedProcess(const std::string& executable, const std::vector<std::string>& arguments,
                                  const EnvironmentChanges& environment, const std::string& outputFile)
{
    // A windowed program's output is its own; only console programs would write to outputFile.
    (void)outputFile;
    const DWORD attributes = GetFileAttributesW(Utf16FromUtf8(executable).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        windows::ThrowLastError(executable);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        ThrowFileError(ErrorNumber::PathFileAccess, executable);

    const auto cut = executable.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string(".") : executable.substr(0, cut);
    std::string commandLine = "\"" + executable + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    // The started program inherits our environment with the changes applied.
    for (const auto& [name, value] : environment)
        SetEnvironmentVariableW(Utf16FromUtf8(name).c_str(), Utf16FromUtf8(value).c_str());
    std::wstring wideCommandLine = Utf16FromUtf8(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(Utf16FromUtf8(executable).c_str(), wideCommandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, Utf16FromUtf8(folder).c_str(), &startup, &process))
        windows::ThrowLastError(executable);
    // The program runs on by itself; no handle of it is kept.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<std::int64_t>(process.dwProcessId);
}

void StartProcess(const std::string& executable)
{
    StartDetachedProcess(executable, {});
}

}  // namespace talvero
