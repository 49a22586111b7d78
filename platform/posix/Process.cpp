#include "platform/Process.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvero {

namespace {

void CheckRunnable(const std::string& executable)
{
    struct stat st {};
    if (::stat(executable.c_str(), &st) != 0)
        posix::ThrowErrno(errno, executable);
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0111) == 0 || ::access(executable.c_str(), X_OK) != 0)
        ThrowFileError(ErrorNumber::PathFileAccess, executable);
}

// What the started program's parent reports through the pipe: its process id, or why exec failed.
struct StartReport {
    pid_t pid = 0;
    int execError = 0;
};

bool ReadFully(int fd, void* data, std::size_t length)
{
    auto* bytes = static_cast<char*>(data);
    while (length > 0) {
        const ssize_t got = ::read(fd, bytes, length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

std::string RunningExecutablePath()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return "./talvero";
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string FindProgramOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

std::int64_t StartDetachedProcess(const std::string& executable, const std::vector<std::string>& arguments,
                                  const EnvironmentChanges& environment, const std::string& outputFile)
{
    CheckRunnable(executable);
    int output = -1;
    if (!outputFile.empty()) {
        output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (output < 0)
            posix::ThrowErrno(errno, outputFile);
    }
    const auto cut = executable.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : executable.substr(0, cut + 1);

    // Everything the child needs is prepared before fork: after it only async-signal-safe calls.
    std::vector<std::string> argumentTexts = {executable};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argumentTexts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<std::string> environmentTexts;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const auto& [name, value] : environment)
            replaced = replaced || text.rfind(name + "=", 0) == 0;
        if (!replaced)
            environmentTexts.push_back(text);
    }
    for (const auto& [name, value] : environment)
        environmentTexts.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& text : environmentTexts)
        envp.push_back(text.data());
    envp.push_back(nullptr);

    // The program must outlive us and must not become our zombie: it is started from a
    // short-lived intermediate process, which reports its id; a pipe that closes on exec tells
    // whether exec worked.
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        posix::ThrowErrno(errno, executable);
    const pid_t intermediate = ::fork();
    if (intermediate < 0) {
        const int err = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        if (output >= 0)
            ::close(output);
        posix::ThrowErrno(err, executable);
    }
    if (intermediate == 0) {
        ::close(pipeFds[0]);
        ::setsid();
        StartReport report;
        report.pid = ::fork();
        if (report.pid == 0) {
            if (output >= 0) {
                ::dup2(output, STDOUT_FILENO);
                ::dup2(output, STDERR_FILENO);
            }
            if (::chdir(folder.c_str()) != 0) {
                // Run from wherever we are; the program finds its files beside itself.
            }
            ::execve(executable.c_str(), argv.data(), envp.data());
            StartReport failure;
            failure.execError = errno;
            [[maybe_unused]] auto ignored = ::write(pipeFds[1], &failure, sizeof failure);
            ::_exit(127);
        }
        [[maybe_unused]] auto ignored = ::write(pipeFds[1], &report, sizeof report);
        ::_exit(report.pid < 0 ? 1 : 0);
    }
    ::close(pipeFds[1]);
    if (output >= 0)
        ::close(output);
    int status = 0;
    while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    // Two reports may come, in either order: the program's id, and a failed exec.
    pid_t pid = 0;
    int execError = 0;
    StartReport report;
    while (ReadFully(pipeFds[0], &report, sizeof report)) {
        if (report.execError != 0)
            execError = report.execError;
        else
            pid = report.pid;
    }
    ::close(pipeFds[0]);
    if (execError != 0)
        posix::ThrowErrno(execError, executable);
    if (pid <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ThrowFileError(ErrorNumber::DeviceIO, executable);
    return pid;
}

void StartProcess(const std::string& executable)
{
    StartDetachedProcess(executable, {});
}

}  // namespace talvero
