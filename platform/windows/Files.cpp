#include "platform/Files.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/PathText.h"
#include "platform/ReplaceFaultHook.h"
#include "platform/windows/ErrorMapping.h"
#include "platform/windows/WideText.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <utility>
#include <vector>
#include <windows.h>

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
    Handle(Handle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = INVALID_HANDLE_VALUE; }
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
    HANDLE handle =
        CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        ThrowFileError(ErrorNumber::PathFileAccess, path);
}

// Opens a file for reading and tells its size. Only a file on a disk is read: a pipe, a console
// or a device fails as a missing file (53), the way a program expecting a file sees them.
Handle OpenFileForReading(const std::string& path, std::uint64_t& size)
{
    // Sharing deletion lets another copy of the program replace the file meanwhile.
    Handle file(OpenOrThrow(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            OPEN_EXISTING));
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        ThrowFileError(ErrorNumber::FileNotFound, path);
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file.get(), &length))
        ThrowLastError(path);
    size = static_cast<std::uint64_t>(length.QuadPart);
    return file;
}

// How often a replace tries to swap its copy in while a reader holds the file (10 ms apart).
constexpr int kReplaceAttempts = 200;

// The complete copy that a replace writes first has one fixed name per file, so that a copy
// left behind by a crash is reused and removed by the next write of that file, not piled up.
std::string SiblingCopyName(const std::string& path)
{
    return JoinPath(FolderOf(path), "~" + LastPartOf(path) + ".new");
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

// What a whole-file replacement writes, and how.
struct ReplaceRequest {
    const std::string& path;
    Durability durability;
    std::optional<std::int64_t> modified = {};   // the last-change time the new file takes
    std::string siblingCopy = {};                // the copy's name, when not the hidden default
    const std::string* keptIfHolding = nullptr;  // a file that already holds these bytes stays
    std::function<void(HANDLE)> fill = {};       // writes the new content into the copy
};

// Every whole-file replacement: the target is checked as a rewrite in place would be, `fill`
// writes the new content into a sibling temporary file, and a move swaps it in. Any failure
// removes the temporary file and leaves the target as it was.
void ReplaceThroughTemporary(const ReplaceRequest& request)
{
    const auto& [path, durability, modified, siblingCopy, keptIfHolding, fill] = request;
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

    // A copy left behind by a crash goes first. The copy is opened without sharing, so that a
    // second writer of the same file fails (70) rather than writing into it too.
    const std::string temporary = siblingCopy.empty() ? SiblingCopyName(path) : siblingCopy;
    SetFileAttributesW(Wide(temporary).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Wide(temporary).c_str());
    // A file that already holds the new bytes is what the replace would leave: it stays, with the
    // attributes a replace would give it.
    const auto stamp = keptIfHolding && existed ? StampOf(path) : std::nullopt;
    if (stamp && stamp->size == keptIfHolding->size() && ReadFileBytes(path) == *keptIfHolding) {
        SetFileAttributesW(Wide(path).c_str(), (attributes & ~FILE_ATTRIBUTE_HIDDEN) | FILE_ATTRIBUTE_NORMAL);
        return;
    }
    try {
        {
            HANDLE raw =
                CreateFileW(Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            siblingCopy.empty() ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr);
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
        const DWORD flags =
            MOVEFILE_REPLACE_EXISTING | (durability == Durability::Flushed ? MOVEFILE_WRITE_THROUGH : 0);
        // Anybody reading the file at this moment (the emulator starting, another copy of the
        // program) keeps it from being replaced until they close it: try again for a while.
        for (int attempt = 1; !MoveFileExW(Wide(temporary).c_str(), Wide(path).c_str(), flags); ++attempt) {
            const DWORD error = GetLastError();
            if (attempt == kReplaceAttempts ||
                (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
                windows::ThrowWindowsError(error, path);
            Sleep(10);
        }
        SetFileAttributesW(Wide(path).c_str(),
                           existed ? (attributes & ~FILE_ATTRIBUTE_HIDDEN) | FILE_ATTRIBUTE_NORMAL
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

// Reads no more than the size the file had when it was opened.
std::string ReadFileBytes(const std::string& path)
{
    std::uint64_t size = 0;
    Handle file = OpenFileForReading(path, size);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t rest = bytes.size() - done;
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done,
                      static_cast<DWORD>(rest > (1u << 30) ? (1u << 30) : rest), &got, nullptr))
            ThrowLastError(path);
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

std::string ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t length)
{
    std::uint64_t size = 0;
    Handle file = OpenFileForReading(path, size);
    if (offset > size || length > size - offset)
        ThrowFileError(ErrorNumber::InputPastEnd, path);
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
    ReplaceThroughTemporary({.path = path, .durability = Durability::Flushed, .fill = [&](HANDLE file) {
                                 produce([&](const char* data, std::size_t length) {
                                     WriteAll(file, data, length, path);
                                     RunReplaceHook(faults::ReplaceStep::PartWritten, path);
                                 });
                             }});
}

namespace {

// The stamp of an entry, nothing when it is missing or has any of the `refused` attributes.
std::optional<FileStamp> StampRefusing(const std::string& path, DWORD refused)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & refused))
        return std::nullopt;
    return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     UnixNanoseconds(data.ftLastWriteTime)};
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path)
{
    return StampRefusing(path, FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FileStamp> StampOfRegularEntry(const std::string& path)
{
    // The attributes of a link or junction are its own: a reparse point is never a regular file.
    return StampRefusing(path, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
}

void WriteCacheFile(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                    std::int64_t modified, const PieceWritten& onPiece)
{
    ReplaceThroughTemporary(
        {.path = path, .durability = Durability::Rebuildable, .modified = modified, .fill = [&](HANDLE file) {
             std::uint64_t written = 0;
             produce([&](const char* data, std::size_t length) {
                 WriteAll(file, data, length, path);
                 written += length;
                 PieceDone(path, written, onPiece);
             });
         }});
}

void CopyToCacheFile(const std::string& source, const std::string& destination, const PieceWritten& onPiece)
{
    std::uint64_t size = 0;
    Handle in = OpenFileForReading(source, size);
    FILETIME lastWrite;
    if (!GetFileTime(in.get(), nullptr, nullptr, &lastWrite))
        ThrowLastError(source);
    WriteCacheFile(
        destination,
        [&](const ByteSink& write) {
            // Never more than the size the file reported: a file that grows meanwhile is not followed.
            std::vector<char> buffer(kCachePieceSize);
            for (std::uint64_t done = 0; done < size;) {
                const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(buffer.size(), size - done));
                DWORD got = 0;
                if (!ReadFile(in.get(), buffer.data(), wanted, &got, nullptr))
                    ThrowLastError(source);
                if (got == 0)
                    return;
                write(buffer.data(), got);
                done += got;
            }
        },
        UnixNanoseconds(lastWrite), onPiece);
}

namespace {

void ReplaceWithBytes(const std::string& path, const std::string& bytes, Durability durability,
                      const std::string& siblingCopy = {})
{
    ReplaceThroughTemporary({.path = path,
                             .durability = durability,
                             .siblingCopy = siblingCopy,
                             .keptIfHolding = &bytes,
                             .fill = [&](HANDLE file) {
                                 WriteAll(file, bytes.data(), bytes.size(), path);
                                 RunReplaceHook(faults::ReplaceStep::PartWritten, path);
                             }});
}

}  // namespace

// A rename replaces a link at the target itself, so both ways of treating one come to the same here.
void ReplaceFileContents(const std::string& path, const std::string& bytes, LinkAtTarget,
                         const std::string& siblingCopy)
{
    ReplaceWithBytes(path, bytes, Durability::Flushed, siblingCopy);
}

void WriteCacheFileContents(const std::string& path, const std::string& bytes)
{
    ReplaceWithBytes(path, bytes, Durability::Rebuildable);
}

bool IsLink(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
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
    std::uint64_t size = 0;
    OpenFileForReading(path, size);
}

void MarkExecutable(const std::string&) {}

void RemoveFile(const std::string& path)
{
    RefuseIfReadOnly(path);
    if (!DeleteFileW(Wide(path).c_str()))
        ThrowLastError(path);
}

}  // namespace talvero
