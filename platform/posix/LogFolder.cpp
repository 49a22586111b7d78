#include "platform/ActivityLog.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvero {

namespace {

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Makes every missing folder of an absolute path, readable by the user alone.
void MakePrivateFolders(const std::string& folder)
{
    for (std::size_t cut = folder.find('/', 1); cut != std::string::npos; cut = folder.find('/', cut + 1))
        ::mkdir(folder.substr(0, cut).c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
}

// The log file in its folder: never through a link at its name, never waiting for a reader (a
// FIFO), and only a regular file. -1 when there is none to write.
int OpenLogFile(int folder, const std::string& name, struct stat& st)
{
    const int fd =
        ::openat(folder, name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string LogFolder()
{
    // The XDG base directories: state that outlives a run but is not worth a backup. Without a
    // home of the user's own there is no private place, and no log (never a shared /tmp).
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::string(state) + "/talvero";
    const char* home = std::getenv("HOME");
    if (home && *home == '/')
        return std::string(home) + "/.local/state/talvero";
    return {};
}

bool AppendLogLine(const std::string& path, const std::string& line)
{
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos || cut + 1 == path.size())
        return false;
    const std::string folderPath = cut == 0 ? "/" : path.substr(0, cut), name = path.substr(cut + 1);
    MakePrivateFolders(folderPath);
    // The folder must be the user's own and closed to others, or someone else could swap the file.
    const Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st {};
    if (folder.get() < 0 || ::fstat(folder.get(), &st) != 0 || st.st_uid != ::geteuid() ||
        (st.st_mode & S_IWOTH) != 0)
        return false;
    int fd = OpenLogFile(folder.get(), name, st);
    if (fd >= 0 && static_cast<std::uintmax_t>(st.st_size) >= kLogRotationSize) {
        // The name is renamed, never followed: whatever lies at the ".1" name is replaced.
        ::close(fd);
        ::renameat(folder.get(), name.c_str(), folder.get(), (name + ".1").c_str());
        fd = OpenLogFile(folder.get(), name, st);
    }
    const Descriptor file(fd);
    if (file.get() < 0)
        return false;
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(file.get(), line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace talvero
