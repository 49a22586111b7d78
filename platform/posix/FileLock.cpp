#include "platform/FileLock.h"

#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace talvero {

// An advisory flock: every copy of the program asks for it, nothing else needs to.
FileLock::FileLock(const std::string& lockFile)
{
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        posix::ThrowErrno(errno, lockFile);
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int err = errno;
            ::close(fd);
            posix::ThrowErrno(err, lockFile);
        }
    }
    m_handle = fd;
}

FileLock::~FileLock()
{
    ::close(static_cast<int>(m_handle));
}

}  // namespace talvero
