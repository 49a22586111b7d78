#include "platform/FileLock.h"

#include "platform/windows/ErrorMapping.h"
#include "platform/windows/WideText.h"

#include <windows.h>

namespace talvero {

// LockFileEx over the whole range; the lock file stays open to everybody so that each copy of
// the program can open it and wait for its turn. The path is UTF-8, like every other path here,
// so it goes to the wide call: the ANSI one would misread a folder such as "Jörg".
FileLock::FileLock(const std::string& lockFile)
{
    HANDLE handle = CreateFileW(windows::Utf16FromUtf8(lockFile).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        windows::ThrowLastError(lockFile);
    OVERLAPPED whole{};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        windows::ThrowWindowsError(error, lockFile);
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
}

FileLock::~FileLock()
{
    HANDLE handle = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED whole{};
    UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(handle);
}

}  // namespace talvero
