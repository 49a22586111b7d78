#include "platform/Files.h"

#include "platform/FileError.h"
#include "platform/ReplaceFaultHook.h"
#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace talvero {

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

std::string BaseName(const std::string& path)
{
    const auto cut = path.find_last_of('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderOf(const std::string& path)
{
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

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

// An open file to read and the size it reported when opened.
struct FileToRead {
    FileDescriptor fd;
    std::uint64_t size;
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
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        ThrowErrno(errno, path);
    return {std::move(fd), static_cast<std::uint64_t>(st.st_size)};
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
    std::string bytes(file.size, '\0');
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
    return FolderOf(target) + "/." + BaseName(target) + ".new";
}

// Two processes replacing files in one folder take turns (an advisory lock on the folder itself),
// so that they never write the same fixed-name copy at once. A folder that cannot be opened for
// reading is written without it.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        while (m_fd.get() >= 0 && ::flock(m_fd.get(), LOCK_EX) != 0 && errno == EINTR) {
        }
    }

private:
    FileDescriptor m_fd;
};

}  // namespace


bool FileExists(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // A name that begins with a dot is a hidden file here.
    return BaseName(path).rfind('.', 0) != 0;
}

bool FolderExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        ThrowErrno(errno, path);
}

std::string ReadFileBytes(const std::string& path)
{
    return ReadAll(OpenFileForReading(path), path);
}

std::string ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t length)
{
    const FileToRead file = OpenFileForReading(path);
    if (offset > file.size || length > file.size - offset)
        ThrowFileError(ErrorNumber::InputPastEnd, path);
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(file.fd.get(), bytes.data() + done, length - done,
                                    static_cast<off_t>(offset + done));
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

void ReplaceFileContents(const std::string& path, const std::string& bytes, LinkAtTarget link,
                         const std::string& siblingCopy)
{
    const std::string target = link == LinkAtTarget::Follow ? ResolveLinkTarget(path) : path;
    struct stat old {};
    const bool found = (link == LinkAtTarget::Follow ? ::stat : ::lstat)(target.c_str(), &old) == 0;
    if (found)
        RefuseIfReadOnly(old, path);
    // Only a regular file hands its permissions on; a FIFO or a device node is simply replaced.
    const bool existed = found && S_ISREG(old.st_mode);
    if (existed) {
        // Opening for writing (without truncating) asks the system whether we may change it,
        // and tells a file held by a running program (70) from one we may not touch (75).
        FileDescriptor probe(OpenOrThrow(target, O_WRONLY));
    } else if (!found && !FolderExists(FolderOf(target))) {
        ThrowFileError(ErrorNumber::PathNotFound, path);
    }

    // A name given beside a link does not lie beside the file that the link names.
    const std::string temporary = siblingCopy.empty() || target != path ? SiblingCopyName(target) : siblingCopy;
    const FolderLock lock(FolderOf(target));
    // A copy left behind by a crash, or anything planted under the name, goes first; the new copy
    // is created afresh and never through a link.
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT)
        ThrowErrno(errno, path);
    const int rawFd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (rawFd < 0)
        ThrowErrno(errno, path);
    FileDescriptor fd(rawFd);
    try {
        const std::size_t half = bytes.size() / 2;
        WriteAll(fd.get(), bytes.data(), half, path);
        RunReplaceFaultHook(path);
        WriteAll(fd.get(), bytes.data() + half, bytes.size() - half, path);
        if (existed) {
            ::fchmod(fd.get(), old.st_mode & 07777);
            if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
                // Not the owner: the file becomes ours, which is what a plain rewrite gives too.
            }
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd.get(), 0666 & ~mask);
        }
        if (::fsync(fd.get()) != 0)
            ThrowErrno(errno, path);
        fd.Close(path);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            ThrowErrno(errno, path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
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
}

}  // namespace talvero
