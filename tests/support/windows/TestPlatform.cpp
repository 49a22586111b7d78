#include "tests/support/TestPlatform.h"

#include "tests/support/TestFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <windows.h>

namespace talvero::test {

static std::set<char> g_mappedDrives;

// Under Wine, drive letters come from the prefix's dosdevices links, which the test script points
// at empty scratch folders; there a mapped folder's files are copied onto the drive itself.
const bool g_drivesAreScratchFolders = std::getenv("TALVERO_TEST_DRIVES_WRITABLE") != nullptr;

static void UnmapDrive(char letter)
{
    std::error_code ignored;
    if (!g_drivesAreScratchFolders) {
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, std::string{letter, ':'}.c_str(), nullptr);
        return;
    }
    for (const auto& entry : std::filesystem::directory_iterator(std::string{letter, ':', '\\'}, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

// Windows tests run as the user who starts them.
void PrepareTestProcess(const char*) {}

// Cross-built under Wine the build folder is a Unix path, which Wine shows as drive Z:.
std::string BuiltProgram(const std::string& cmakePath)
{
    std::string path = cmakePath;
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A drive letter for a folder, as the subst command makes one.
void MapDrive(char letter, const std::string& folder)
{
    g_mappedDrives.insert(letter);
    if (!g_drivesAreScratchFolders) {
        DefineDosDeviceA(0, std::string{letter, ':'}.c_str(), folder.c_str());
        return;
    }
    UnmapDrive(letter);
    // The folder is UTF-8, as every path of the program; a narrow path would be read as ANSI.
    std::filesystem::copy(std::filesystem::path(std::u8string(folder.begin(), folder.end())),
                          std::string{letter, ':', '\\'}, std::filesystem::copy_options::recursive);
}

void UnmapDrives()
{
    for (char letter : g_mappedDrives)
        UnmapDrive(letter);
    g_mappedDrives.clear();
}

// A folder's read-only attribute does not stop new files on Windows.
bool ReadOnlyFoldersAreEnforced()
{
    return false;
}

void OverwriteKeepingTime(const std::string& path, const std::string& bytes)
{
    const std::filesystem::path name(std::u8string(path.begin(), path.end()));
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME lastWrite{};
    DWORD written = 0;
    const bool done = file != INVALID_HANDLE_VALUE && GetFileTime(file, nullptr, nullptr, &lastWrite) &&
                      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                      SetEndOfFile(file) && SetFileTime(file, nullptr, nullptr, &lastWrite);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!done)
        throw std::runtime_error("cannot overwrite " + path);
}

std::int64_t StartChild(const std::string& program, const std::vector<std::string>& arguments)
{
    std::string commandLine = "\"" + program + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 0;
    CloseHandle(process.hThread);
    return reinterpret_cast<std::int64_t>(process.hProcess);
}

int WaitForChild(std::int64_t child)
{
    const HANDLE process = reinterpret_cast<HANDLE>(child);
    DWORD status = 0;
    const bool known = process && WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process, &status);
    if (process)
        CloseHandle(process);
    return known ? static_cast<int>(status) : -1;
}

void KillChild(std::int64_t child)
{
    if (child != 0)
        TerminateProcess(reinterpret_cast<HANDLE>(child), 1);
    WaitForChild(child);
}

void EndProcess(std::int64_t id)
{
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(id))) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

bool EmulatorScriptsRun()
{
    return false;
}

}  // namespace talvero::test
