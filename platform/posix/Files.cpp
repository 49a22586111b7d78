#include "platform/Files.h"

#include "platform/FileError.h"
#include "platform/PathText.h"
#include "platform/ReplaceFaultHook.h"
#include "platform/posix/ErrnoMapping.h"
#include "platform/posix/KeptListings.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace talvero {

using faults::ReplaceStep;
using posix::FolderOf;
using posix::ThrowErrno;

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    int get() const { return m_fd; }
    // Closes now so that a failing close (delayed write errors) is reported.
    void Close(const std::string& path)
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            ThrowErrno(errno, path);
    }

private:
    int m_fd;
};

// A file without any write permission bit is read-only for everybody, root included, the way a
// read-only attribute behaves on Windows.
void RefuseIfReadOnly(const struct stat& st, const std::string& path)
{
    if (S_ISDIR(st.st_mode))
        ThrowFileError(ErrorNumber::PathFileAccess, path);
    if (S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        ThrowFileError(ErrorNumber::PathFileAccess, path);
}

int OpenOrThrow(const std::string& path, int flags, mode_t mode = 0666)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    if (fd < 0)
        ThrowErrno(errno, path);
    return fd;
}

// An open file to read, with what it reported when opened (its size, its times).
struct FileToRead {
    FileDescriptor fd;
    struct stat st;
    std::uint64_t size() const { return static_cast<std::uint64_t>(st.st_size); }
};

// Opens a file for reading. The open does not block (a FIFO would wait for a writer for ever) and
// only a regular file is accepted: a folder fails as no access (75), a FIFO, a device or a socket
// as a missing file (53), the way a program expecting a file sees them.
FileToRead OpenFileForReading(const std::string& path)
{
    FileDescriptor fd(OpenOrThrow(path, O_RDONLY | O_NONBLOCK));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        ThrowErrno(errno, path);
    if (S_ISDIR(st.st_mode))
        ThrowFileError(ErrorNumber::PathFileAccess, path);
    if (!S_ISREG(st.st_mode))
        ThrowFileError(ErrorNumber::FileNotFound, path);
    // Reads of a regular file never wait, so the non-blocking flag can stay.
    return {std::move(fd), st};
}

void WriteAll(int fd, const char* data, std::size_t length, const std::string& path)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, path);
        }
        data += written;
        length -= static_cast<std::size_t>(written);
    }
}

// Reads no more than the size the file reported when it was opened (a file that grows meanwhile
// is read as it was); one that shrinks meanwhile is read to its end.
std::string ReadAll(const FileToRead& file, const std::string& path)
{
    std::string bytes(file.size(), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.fd.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, path);
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

// Whether a regular file (as `st` found it) holds exactly `bytes`; only a file of their size is read.
bool HoldsExactly(const std::string& path, const struct stat& st, const std::string& bytes)
{
    if (static_cast<std::uint64_t>(st.st_size) != bytes.size())
        return false;
    return ReadAll(OpenFileForReading(path), path) == bytes;
}

// A rename lasts through a power cut only once the folder holding the new entry is on the disk.
void SyncFolder(const std::string& folder, const std::string& path)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;  // a folder we may not read cannot be synced; the rename stands
    FileDescriptor guard(fd);
    if (::fsync(fd) != 0 && errno == EIO)
        ThrowErrno(errno, path);
    RunReplaceHook(ReplaceStep::FolderSynced, path);
}

// The file that a write through `path` really changes: the regular file a symbolic link names.
// A link to anything else (a device, a FIFO) is itself what gets replaced, never the node.
std::string ResolveLinkTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

// The complete copy that a replace writes first has one fixed name per file, so that a copy
// left behind by a crash is reused and removed by the next write of that file, not piled up.
std::string SiblingCopyName(const std::string& target)
{
    return FolderOf(target) + "/." + LastPartOf(target, "/") + ".new";
}

// Two processes replacing files in one folder take turns (an advisory lock on the folder itself),
// so that they never write the same fixed-name copy at once. A folder that cannot be opened for
// reading is written without it.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        while (m_fd.get() >= 0 && ::flock(m_fd.get(), LOCK_EX) != 0 && errno == EINTR) {}
    }
    /// Whether the folder could be opened (and so exists); a folder we may not read cannot.
    bool Held() const { return m_fd.get() >= 0; }

private:
    FileDescriptor m_fd;
};

// The user's data is forced to the disk before it replaces the old file; a cache file, which the
// next start rebuilds from its source, is not.
enum class Durability { Flushed, Rebuildable };

// A kernel copy moves this much between two progress reports.
constexpr std::size_t kKernelPieceSize = 8 << 20;

FileStamp StampFrom(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// What a whole-file replacement writes, and how.
struct ReplaceRequest {
    const std::string& path;
    Durability durability;
    std::optional<std::int64_t> modified = {};  // the last-change time the new file takes
    LinkAtTarget link = LinkAtTarget::Replace;
    std::string siblingCopy = {};                // the copy's name, when not the hidden default
    const std::string* keptIfHolding = nullptr;  // a file that already holds these bytes stays
    std::function<void(int fd)> fill = {};       // writes the new content into the copy
};

// Every whole-file replacement: the target is checked as a rewrite in place would be, `fill`
// writes the new content into a sibling temporary file, and a rename swaps it in. Any failure
// removes the temporary file and leaves the target as it was.
void ReplaceThroughTemporary(const ReplaceRequest& request)
{
    const auto& [path, durability, modified, link, siblingCopy, keptIfHolding, fill] = request;
    const std::string target = link == LinkAtTarget::Follow ? ResolveLinkTarget(path) : path;
    struct stat old {};
    const bool found = (link == LinkAtTarget::Follow ? ::stat : ::lstat)(target.c_str(), &old) == 0;
    if (found)
        RefuseIfReadOnly(old, path);
    // Only a regular file hands its permissions on; a link, a FIFO or a device node is simply replaced.
    const bool existed = found && S_ISREG(old.st_mode);
    if (existed) {
        // Opening for writing (without truncating) asks the system whether we may change it,
        // and tells a file held by a running program (70) from one we may not touch (75).
        FileDescriptor probe(OpenOrThrow(target, O_WRONLY));
    }

    // A name given beside a link does not lie beside the file that the link names.
    const std::string temporary =
        siblingCopy.empty() || target != path ? SiblingCopyName(target) : siblingCopy;
    const FolderLock lock(FolderOf(target));
    if (!found && !lock.Held() && !FolderExists(FolderOf(target)))
        ThrowFileError(ErrorNumber::PathNotFound, path);
    // A file that already holds the new bytes is what the replace would leave: it stays as it is,
    // once the checks above have passed and the folder would take the copy.
    if (keptIfHolding && existed && HoldsExactly(target, old, *keptIfHolding)) {
        if (::access(FolderOf(target).c_str(), W_OK) != 0)
            ThrowErrno(errno, path);
        if (::unlink(temporary.c_str()) != 0 && errno != ENOENT)
            ThrowErrno(errno, path);
        return;
    }
    // The copy is created afresh and never through a link. A new file gets the usual permissions
    // (the user's umask applies); a replaced one gets the old file's once it is complete.
    const auto createCopy = [&] {
        return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      existed ? 0600 : 0666);
    };
    int rawFd = createCopy();
    if (rawFd < 0 && errno == EEXIST) {
        // A copy left behind by a crash, or anything planted under the name, goes first.
        if (::unlink(temporary.c_str()) != 0 && errno != ENOENT)
            ThrowErrno(errno, path);
        rawFd = createCopy();
    }
    if (rawFd < 0)
        ThrowErrno(errno, path);
    FileDescriptor fd(rawFd);
    try {
        RunReplaceHook(ReplaceStep::Created, path);
        fill(fd.get());
        if (existed) {
            ::fchmod(fd.get(), old.st_mode & 07777);
            if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
                // Not the owner: the file becomes ours, which is what a plain rewrite gives too.
            }
        }
        if (modified) {
            const struct timespec times[2] = {
                {0, UTIME_OMIT},
                {static_cast<time_t>(*modified / 1000000000), static_cast<long>(*modified % 1000000000)}};
            if (::futimens(fd.get(), times) != 0)
                ThrowErrno(errno, path);
        }
        if (durability == Durability::Flushed && ::fsync(fd.get()) != 0)
            ThrowErrno(errno, path);
        fd.Close(path);
        RunReplaceHook(ReplaceStep::Flushed, path);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            ThrowErrno(errno, path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    posix::NoteEntryMade(target);
    RunReplaceHook(ReplaceStep::Renamed, path);
    // A file that holds the user's data lasts a power cut only once its folder's entry is on the disk.
    if (durability == Durability::Flushed) {
        SyncFolder(FolderOf(target), path);
    }
}

}  // namespace

bool FileExists(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // A name that begins with a dot is a hidden file here.
    return LastPartOf(path, "/").rfind('.', 0) != 0;
}

bool FolderExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool EntryExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void CreateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        ThrowErrno(errno, path);
    posix::NoteEntryMade(path);
}

std::string ReadFileBytes(const std::string& path)
{
    return ReadAll(OpenFileForReading(path), path);
}

std::string ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t length)
{
    const FileToRead file = OpenFileForReading(path);
    if (offset > file.size() || length > file.size() - offset)
        ThrowFileError(ErrorNumber::InputPastEnd, path);
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(file.fd.get(), bytes.data() + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, path);
        }
        if (got == 0)
            ThrowFileError(ErrorNumber::InputPastEnd, path);
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        RefuseIfReadOnly(st, path);
    FileDescriptor fd(OpenOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC));
    WriteAll(fd.get(), bytes.data(), bytes.size(), path);
    fd.Close(path);
}

void ReplaceFileStreaming(const std::string& path, const std::function<void(const ByteSink&)>& produce)
{
    ReplaceThroughTemporary({.path = path, .durability = Durability::Flushed, .fill = [&](int fd) {
                                 produce([&](const char* data, std::size_t length) {
                                     WriteAll(fd, data, length, path);
                                     RunReplaceHook(ReplaceStep::PartWritten, path);
                                 });
                             }});
}

namespace {

void ReplaceWithBytes(const std::string& path, const std::string& bytes, Durability durability,
                      LinkAtTarget link = LinkAtTarget::Replace, const std::string& siblingCopy = {})
{
    ReplaceThroughTemporary({.path = path,
                             .durability = durability,
                             .link = link,
                             .siblingCopy = siblingCopy,
                             .keptIfHolding = &bytes,
                             .fill = [&](int fd) {
                                 WriteAll(fd, bytes.data(), bytes.size(), path);
                                 RunReplaceHook(ReplaceStep::PartWritten, path);
                             }});
}

}  // namespace

void ReplaceFileContents(const std::string& path, const std::string& bytes, LinkAtTarget link,
                         const std::string& siblingCopy)
{
    ReplaceWithBytes(path, bytes, Durability::Flushed, link, siblingCopy);
}

void WriteCacheFileContents(const std::string& path, const std::string& bytes)
{
    ReplaceWithBytes(path, bytes, Durability::Rebuildable);
}

std::optional<FileStamp> StampOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return StampFrom(st);
}

std::optional<FileStamp> StampOfRegularEntry(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return StampFrom(st);
}

void WriteCacheFile(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                    std::int64_t modified, const PieceWritten& onPiece)
{
    ReplaceThroughTemporary(
        {.path = path, .durability = Durability::Rebuildable, .modified = modified, .fill = [&](int fd) {
             std::uint64_t written = 0;
             produce([&](const char* data, std::size_t length) {
                 WriteAll(fd, data, length, path);
                 written += length;
                 PieceDone(path, written, onPiece);
             });
         }});
}

namespace {

// The kernel's copy from the current offset of `in` to that of `out`; a test may make it refuse.
ssize_t KernelCopy(int in, int out, std::size_t length)
{
    if (KernelCopyRefused()) {
        errno = EXDEV;
        return -1;
    }
    return ::copy_file_range(in, nullptr, out, nullptr, length, 0);
}

}  // namespace

void CopyToCacheFile(const std::string& source, const std::string& destination, const PieceWritten& onPiece)
{
    const FileToRead file = OpenFileForReading(source);
    const FileDescriptor& in = file.fd;
    const struct stat& st = file.st;
    const auto copyInto = [&](int out) {
        // The kernel copies between the files without the bytes passing through us; where it
        // cannot (another file system on older kernels, special files), a bounded buffer does.
        std::uint64_t written = 0;
        for (;;) {
            if (written >= static_cast<std::uint64_t>(st.st_size))
                return;
            const ssize_t got = KernelCopy(in.get(), out,
                                           static_cast<std::size_t>(std::min<std::uint64_t>(
                                               kKernelPieceSize, static_cast<std::uint64_t>(st.st_size) - written)));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && written == 0 &&
                (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                 errno == EBADF))
                break;
            if (got < 0)
                ThrowErrno(errno, source);
            // Some file systems report an end too early here; reading tells the truth.
            if (got == 0 && written >= static_cast<std::uint64_t>(st.st_size))
                return;
            if (got == 0)
                break;
            written += static_cast<std::uint64_t>(got);
            PieceDone(destination, written, onPiece);
        }
        // Never more than the size the file reported: a file that grows meanwhile is not followed.
        const auto size = static_cast<std::uint64_t>(st.st_size);
        std::vector<char> buffer(kCachePieceSize);
        while (written < size) {
            const auto wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - written));
            const ssize_t got = ::read(in.get(), buffer.data(), wanted);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                ThrowErrno(errno, source);
            if (got == 0)
                return;
            WriteAll(out, buffer.data(), static_cast<std::size_t>(got), destination);
            written += static_cast<std::uint64_t>(got);
            PieceDone(destination, written, onPiece);
        }
    };
    ReplaceThroughTemporary({.path = destination,
                             .durability = Durability::Rebuildable,
                             .modified = StampFrom(st).modified,
                             .fill = copyInto});
}

bool IsLink(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void CopyFileReplacing(const std::string& source, const std::string& destination)
{
    ReplaceFileContents(destination, ReadFileBytes(source));
}

void WriteByteAt(const std::string& path, std::uint64_t offset, unsigned char value)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        RefuseIfReadOnly(st, path);
    const int rawFd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (rawFd < 0)
        ThrowErrno(errno == ELOOP ? EACCES : errno, path);
    FileDescriptor fd(rawFd);
    for (;;) {
        const ssize_t written = ::pwrite(fd.get(), &value, 1, static_cast<off_t>(offset));
        if (written == 1)
            break;
        if (written < 0 && errno == EINTR)
            continue;
        ThrowErrno(written < 0 ? errno : EIO, path);
    }
    fd.Close(path);
}

std::uint64_t FileSize(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(errno, path);
    return static_cast<std::uint64_t>(st.st_size);
}

void OpenForReadingAndClose(const std::string& path)
{
    OpenFileForReading(path);
}

void MarkExecutable(const std::string& path)
{
    if (::chmod(path.c_str(), 0755) != 0)
        ThrowErrno(errno, path);
}

void RemoveFile(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        ThrowErrno(errno, path);
    RefuseIfReadOnly(st, path);
    if (::unlink(path.c_str()) != 0)
        ThrowErrno(errno, path);
    posix::NoteEntryRemoved(path);
}

}  // namespace talvero
