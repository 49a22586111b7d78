#include "platform/Files.h"

#include "platform/FileError.h"
#include "platform/ReplaceFaultHook.h"
#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace talvero {

using posix::FolderOf;
using posix::ThrowErrno;
using faults::ReplaceStep;

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

// Opens a file for reading; a folder in its place fails as no access (75).
FileDescriptor OpenFileForReading(const std::string& path)
{
    FileDescriptor fd(OpenOrThrow(path, O_RDONLY));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        ThrowErrno(errno, path);
    if (S_ISDIR(st.st_mode))
        ThrowFileError(ErrorNumber::PathFileAccess, path);
    return fd;
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

std::string ReadAll(int fd, const std::string& path)
{
    std::string bytes;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno, path);
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
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

// The file that a write through `path` really changes: the target of a symbolic link.
std::string ResolveLinkTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

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
    FileDescriptor fd = OpenFileForReading(path);
    return ReadAll(fd.get(), path);
}

std::string ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t length)
{
    FileDescriptor fd = OpenFileForReading(path);
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd.get(), bytes.data() + done, length - done,
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

void ReplaceFileContents(const std::string& path, const std::string& bytes)
{
    const std::string target = ResolveLinkTarget(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed) {
        RefuseIfReadOnly(old, path);
        // Opening for writing (without truncating) asks the system whether we may change it,
        // and tells a file held by a running program (70) from one we may not touch (75).
        FileDescriptor probe(OpenOrThrow(target, O_WRONLY));
    } else if (!FolderExists(FolderOf(target))) {
        ThrowFileError(ErrorNumber::PathNotFound, path);
    }

    std::string temporary = FolderOf(target) + "/." + BaseName(target) + ".XXXXXX";
    const int rawFd = ::mkstemp(temporary.data());
    if (rawFd < 0)
        ThrowErrno(errno, path);
    FileDescriptor fd(rawFd);
    try {
        const std::size_t half = bytes.size() / 2;
        WriteAll(fd.get(), bytes.data(), half, path);
        RunReplaceHook(ReplaceStep::HalfWritten, path);
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
        RunReplaceHook(ReplaceStep::Flushed, path);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            ThrowErrno(errno, path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    RunReplaceHook(ReplaceStep::Renamed, path);
    SyncFolder(FolderOf(target), path);
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
    FileDescriptor fd(OpenOrThrow(path, O_WRONLY | O_CREAT));
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
