#include "platform/Files.h"

#include "platform/FileError.h"
#include "platform/ReplaceFaultHook.h"
#include "platform/windows/ErrorMapping.h"
#include "platform/windows/WideText.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace talvero {

using windows::ThrowLastError;

namespace {

// Paths arrive in UTF-8 and go to the wide functions, so that any name the system holds works.
std::wstring Wide(const std::string& path)
{
    return windows::Utf16FromUtf8(path);
}


class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    void Close(const std::string& path)
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle))
            ThrowLastError(path);
    }

private:
    HANDLE m_handle;
};

// Files are always opened in binary: bytes go through exactly as they are, CR LF included.
HANDLE OpenOrThrow(const std::string& path, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE handle = CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        ThrowLastError(path);
    return handle;
}

void WriteAll(HANDLE handle, const char* data, std::size_t length, const std::string& path)
{
    while (length > 0) {
        const DWORD chunk = static_cast<DWORD>(length > (1u << 30) ? (1u << 30) : length);
        DWORD written = 0;
        if (!WriteFile(handle, data, chunk, &written, nullptr))
            ThrowLastError(path);
        data += written;
        length -= written;
    }
}

void Seek(HANDLE handle, std::uint64_t offset, const std::string& path)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle, position, nullptr, FILE_BEGIN))
        ThrowLastError(path);
}

// The read-only attribute refuses every change, whoever asks (Wine running as root included).
void RefuseIfReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        ThrowFileError(ErrorNumber::PathFileAccess, path);
}

std::string FolderOf(const std::string& path)
{
    const auto cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

std::string BaseName(const std::string& path)
{
    const auto cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}


// The user's data is forced to the disk before it replaces the old file; a cache file, which the
// next start rebuilds from its source, is not.
enum class Durability { Flushed, Rebuildable };

// FILETIME counts 100-nanosecond steps from 1601; stamps count nanoseconds from 1970.
constexpr std::int64_t kFileTimeOf1970 = 116444736000000000;

std::int64_t UnixNanoseconds(const FILETIME& time)
{
    const auto ticks = static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                                 time.dwLowDateTime);
    return (ticks - kFileTimeOf1970) * 100;
}

FILETIME FileTimeOf(std::int64_t nanoseconds)
{
    const auto ticks = static_cast<std::uint64_t>(nanoseconds / 100 + kFileTimeOf1970);
    return {static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

// Every whole-file replacement: the target is checked as a rewrite in place would be, `fill`
// writes the new content into a sibling temporary file, and a move swaps it in. Any failure
// removes the temporary file and leaves the target as it was.
void ReplaceThroughTemporary(const std::string& path, Durability durability, std::optional<std::int64_t> modified,
                             const std::function<void(HANDLE)>& fill)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed) {
        RefuseIfReadOnly(path);
        // Opening for writing tells a file another program holds without sharing (70) from one
        // we may not change (75), before anything is written.
        Handle probe(OpenOrThrow(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 OPEN_EXISTING));
    } else if (!FolderExists(FolderOf(path))) {
        ThrowFileError(ErrorNumber::PathNotFound, path);
    }

    std::random_device random;
    const std::string temporary = FolderOf(path) + "\\~" + BaseName(path) + "." + std::to_string(random()) + ".tmp";
    try {
        {
            HANDLE raw = CreateFileW(Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_HIDDEN, nullptr);
            if (raw == INVALID_HANDLE_VALUE)
                ThrowLastError(path);
            Handle file(raw);
            RunReplaceHook(faults::ReplaceStep::Created, path);
            fill(file.get());
            if (modified) {
                const FILETIME lastWrite = FileTimeOf(*modified);
                if (!SetFileTime(file.get(), nullptr, nullptr, &lastWrite))
                    ThrowLastError(path);
            }
            if (durability == Durability::Flushed && !FlushFileBuffers(file.get()))
                ThrowLastError(path);
            file.Close(path);
        }
        RunReplaceHook(faults::ReplaceStep::Flushed, path);
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durability == Durability::Flushed ? MOVEFILE_WRITE_THROUGH : 0);
        if (!MoveFileExW(Wide(temporary).c_str(), Wide(path).c_str(), flags))
            ThrowLastError(path);
        SetFileAttributesW(Wide(path).c_str(), existed ? (attributes & ~FILE_ATTRIBUTE_HIDDEN) | FILE_ATTRIBUTE_NORMAL
                                                       : FILE_ATTRIBUTE_NORMAL);
    } catch (...) {
        DeleteFileW(Wide(temporary).c_str());
        throw;
    }
    RunReplaceHook(faults::ReplaceStep::Renamed, path);
    // With MOVEFILE_WRITE_THROUGH the move returns only once it is on the disk.
    if (durability == Durability::Flushed)
        RunReplaceHook(faults::ReplaceStep::FolderSynced, path);
}

}  // namespace


bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EntryExists(const std::string& path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CreateFolder(const std::string& path)
{
    if (!CreateDirectoryW(Wide(path).c_str(), nullptr))
        ThrowLastError(path);
}

std::string ReadFileBytes(const std::string& path)
{
    Handle file(OpenOrThrow(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    std::string bytes;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            ThrowLastError(path);
        if (got == 0)
            return bytes;
        bytes.append(buffer.data(), got);
    }
}

std::string ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t length)
{
    Handle file(OpenOrThrow(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    Seek(file.get(), offset, path);
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(length - done), &got, nullptr))
            ThrowLastError(path);
        if (got == 0)
            ThrowFileError(ErrorNumber::InputPastEnd, path);
        done += got;
    }
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    RefuseIfReadOnly(path);
    Handle file(OpenOrThrow(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS));
    WriteAll(file.get(), bytes.data(), bytes.size(), path);
    file.Close(path);
}

void ReplaceFileStreaming(const std::string& path, const std::function<void(const ByteSink&)>& produce)
{
    ReplaceThroughTemporary(path, Durability::Flushed, std::nullopt, [&](HANDLE file) {
        produce([&](const char* data, std::size_t length) {
            WriteAll(file, data, length, path);
            RunReplaceHook(faults::ReplaceStep::PartWritten, path);
        });
    });
}

std::optional<FileStamp> StampOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     UnixNanoseconds(data.ftLastWriteTime)};
}

void WriteCacheFile(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                    std::int64_t modified, const PieceWritten& onPiece)
{
    ReplaceThroughTemporary(path, Durability::Rebuildable, modified, [&](HANDLE file) {
        std::uint64_t written = 0;
        produce([&](const char* data, std::size_t length) {
            WriteAll(file, data, length, path);
            written += length;
            RunReplaceHook(faults::ReplaceStep::PartWritten, path);
            if (onPiece)
                onPiece(written);
        });
    });
}

void CopyToCacheFile(const std::string& source, const std::string& destination, const PieceWritten& onPiece)
{
    Handle in(OpenOrThrow(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    FILETIME lastWrite;
    if (!GetFileTime(in.get(), nullptr, nullptr, &lastWrite))
        ThrowLastError(source);
    WriteCacheFile(
        destination,
        [&](const ByteSink& write) {
            std::vector<char> buffer(kCachePieceSize);
            for (;;) {
                DWORD got = 0;
                if (!ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
                    ThrowLastError(source);
                if (got == 0)
                    return;
                write(buffer.data(), got);
            }
        },
        UnixNanoseconds(lastWrite), onPiece);
}

void ReplaceFileContents(const std::string& path, const std::string& bytes)
{
    ReplaceFileStreaming(path, [&](const ByteSink& write) { write(bytes.data(), bytes.size()); });
}

void CopyFileReplacing(const std::string& source, const std::string& destination)
{
    ReplaceFileContents(destination, ReadFileBytes(source));
}

void WriteByteAt(const std::string& path, std::uint64_t offset, unsigned char value)
{
    RefuseIfReadOnly(path);
    Handle file(OpenOrThrow(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS));
    Seek(file.get(), offset, path);
    WriteAll(file.get(), reinterpret_cast<const char*>(&value), 1, path);
    file.Close(path);
}

std::uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data))
        ThrowLastError(path);
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void OpenForReadingAndClose(const std::string& path)
{
    Handle file(OpenOrThrow(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
}

void MarkExecutable(const std::string&) {}

void RemoveFile(const std::string& path)
{
    RefuseIfReadOnly(path);
    if (!DeleteFileW(Wide(path).c_str()))
        ThrowLastError(path);
}

}  // namespace talvero
