#include "platform/FileReadWatch.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace talvero {

namespace {

// A descriptor that becomes readable when the process ends; -1 on a kernel without pidfds.
int ProcessEndHandle(std::int64_t process)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(process), 0));
#else
    (void)process;
    return -1;
#endif
}

}  // namespace

// A link at the path is followed: the watch is on the file that readers open.
FileReadWatch::FileReadWatch(const std::string& path)
{
    m_handle = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_handle >= 0 && ::inotify_add_watch(m_handle, path.c_str(), IN_CLOSE_NOWRITE) < 0) {
        ::close(m_handle);
        m_handle = -1;
    }
}

FileReadWatch::~FileReadWatch()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

void FileReadWatch::WaitForRead(std::int64_t reader, int milliseconds)
{
    if (m_handle < 0)
        return;
    const int ended = ProcessEndHandle(reader);
    // Without a pidfd the process is looked at every 10 ms.
    const int slice = ended >= 0 ? milliseconds : 10;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd watched[2] = {{m_handle, POLLIN, 0}, {ended, POLLIN, 0}};
        const int ready = ::poll(watched, ended >= 0 ? 2 : 1, slice);
        if (ready < 0 && errno != EINTR)
            break;
        if (watched[0].revents & POLLIN)
            break;
        if (ended >= 0 ? (watched[1].revents & POLLIN) != 0 : ::kill(static_cast<pid_t>(reader), 0) != 0)
            break;
    }
    if (ended >= 0)
        ::close(ended);
}

}  // namespace talvero
