#include "platform/Process.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvero {

char NativeSeparator()
{
    return '/';
}

std::string RunningExecutablePath()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return "./talvero";
    return std::string(buffer, static_cast<std::size_t>(length));
}

void StartProcess(const std::string& executable)
{
    struct stat st {};
    if (::stat(executable.c_str(), &st) != 0)
        posix::ThrowErrno(errno, executable);
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0111) == 0 || ::access(executable.c_str(), X_OK) != 0)
        ThrowFileError(ErrorNumber::PathFileAccess, executable);

    const auto cut = executable.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : executable.substr(0, cut + 1);

    // The started program must outlive us and must not become our zombie: start it from a
    // short-lived intermediate process. A pipe that closes on exec tells us whether exec worked.
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        posix::ThrowErrno(errno, executable);
    char* const argv[] = {const_cast<char*>(executable.c_str()), nullptr};
    const pid_t intermediate = ::fork();
    if (intermediate < 0) {
        const int err = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        posix::ThrowErrno(err, executable);
    }
    if (intermediate == 0) {
        ::close(pipeFds[0]);
        ::setsid();
        const pid_t program = ::fork();
        if (program == 0) {
            if (::chdir(folder.c_str()) != 0) {
                // Run from wherever we are; the emulator finds its files beside itself.
            }
            ::execv(executable.c_str(), argv);
            const int err = errno;
            [[maybe_unused]] auto ignored = ::write(pipeFds[1], &err, sizeof err);
            ::_exit(127);
        }
        ::_exit(program < 0 ? 1 : 0);
    }
    ::close(pipeFds[1]);
    int status = 0;
    while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t got;
    do {
        got = ::read(pipeFds[0], &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    ::close(pipeFds[0]);
    if (got == static_cast<ssize_t>(sizeof execError))
        posix::ThrowErrno(execError, executable);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ThrowFileError(ErrorNumber::DeviceIO, executable);
}

}  // namespace talvero
