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

#include <fstream>
#include <map>
#include <optional>

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

// The argument and environment arrays that execve takes, built before any fork.
struct ExecArguments {
    ExecArguments(const std::string& executable, const std::vector<std::string>& arguments,
                  const EnvironmentChanges& environment)
    {
        argumentTexts = {executable};
        argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
        for (std::string& text : argumentTexts)
            argv.push_back(text.data());
        argv.push_back(nullptr);
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
        for (std::string& text : environmentTexts)
            envp.push_back(text.data());
        envp.push_back(nullptr);
    }
    std::vector<std::string> argumentTexts;
    std::vector<std::string> environmentTexts;
    std::vector<char*> argv;
    std::vector<char*> envp;
};

// A process's state letter and start time (in clock ticks after boot) from /proc; nothing when
// there is no such process.
struct ProcessStatus {
    char state = '?';
    unsigned long long startTime = 0;
};

std::optional<ProcessStatus> StatusOf(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    // The name in parentheses may hold spaces; the fields after the last ')' are plain.
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    ProcessStatus status;
    std::string skipped;
    fields >> status.state;
    for (int field = 4; field < 22; ++field)
        fields >> skipped;
    fields >> status.startTime;
    return status;
}

// The start time of each program we started, to tell it from a later one with the same id.
std::map<pid_t, unsigned long long>& StartedProcesses()
{
    static std::map<pid_t, unsigned long long> started;
    return started;
}

}  // namespace

std::int64_t CurrentProcessId()
{
    return ::getpid();
}

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
    ExecArguments exec(executable, arguments, environment);
    char** argv = exec.argv.data();
    char** envp = exec.envp.data();

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
            ::execve(executable.c_str(), argv, envp);
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
    if (const auto started = StatusOf(pid))
        StartedProcesses()[pid] = started->startTime;
    return pid;
}

std::int64_t StartProcess(const std::string& executable)
{
    return StartDetachedProcess(executable, {});
}

bool ProcessIsRunning(std::int64_t id)
{
    const auto pid = static_cast<pid_t>(id);
    if (pid <= 0)
        return false;
    const auto status = StatusOf(pid);
    if (!status) {
        // No /proc to ask: whether any process has that id.
        return ::kill(pid, 0) == 0 || errno == EPERM;
    }
    // Our programs are adopted by another parent, which may be slow to reap them: a zombie has
    // ended. A different start time means the id now belongs to someone else.
    const auto started = StartedProcesses().find(pid);
    if (started != StartedProcesses().end() && started->second != status->startTime)
        return false;
    return status->state != 'Z' && status->state != 'X' && status->state != 'x';
}

void ReplaceProcess(const std::string& executable, const std::vector<std::string>& arguments,
                    const EnvironmentChanges& environment, const std::string& outputFile)
{
    CheckRunnable(executable);
    ExecArguments exec(executable, arguments, environment);
    if (!outputFile.empty()) {
        const int output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (output < 0)
            posix::ThrowErrno(errno, outputFile);
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        ::close(output);
    }
    ::execve(executable.c_str(), exec.argv.data(), exec.envp.data());
    posix::ThrowErrno(errno, executable);
}

}  // namespace talvero
