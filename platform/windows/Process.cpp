#include "platform/Process.h"

#include "platform/FileError.h"
#include "platform/PathText.h"
#include "platform/windows/ErrorMapping.h"
#include "platform/windows/WideText.h"

#include <map>
#include <windows.h>

namespace talvero {

using windows::Utf16FromUtf8;
using windows::Utf8FromUtf16;

namespace {
// The handles of the programs we started, by process id.
std::map<DWORD, HANDLE>& StartedProcesses()
{
    static std::map<DWORD, HANDLE> started;
    return started;
}
}  // namespace

std::int64_t CurrentProcessId()
{
    return static_cast<std::int64_t>(GetCurrentProcessId());
}

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

    const std::string folder = FolderOf(executable);
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
    // The program runs on by itself; its handle is kept to ask later whether it still runs.
    CloseHandle(process.hThread);
    StartedProcesses()[process.dwProcessId] = process.hProcess;
    return static_cast<std::int64_t>(process.dwProcessId);
}

std::int64_t StartProcess(const std::string& executable)
{
    return StartDetachedProcess(executable, {});
}

bool ProcessIsRunning(std::int64_t id)
{
    const auto found = StartedProcesses().find(static_cast<DWORD>(id));
    if (found == StartedProcesses().end())
        return false;
    if (WaitForSingleObject(found->second, 0) == WAIT_TIMEOUT)
        return true;
    CloseHandle(found->second);
    StartedProcesses().erase(found);
    return false;
}

void ReplaceProcess(const std::string& executable, const std::vector<std::string>& arguments,
                    const EnvironmentChanges& environment, const std::string& outputFile)
{
    // Windows cannot replace a process: this one waits for the other and ends with it.
    const auto id = StartDetachedProcess(executable, arguments, environment, outputFile);
    HANDLE process = StartedProcesses()[static_cast<DWORD>(id)];
    WaitForSingleObject(process, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    ExitProcess(status);
}

}  // namespace talvero
