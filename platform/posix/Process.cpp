#include "platform/Process.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/PathText.h"
#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
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

// The programs we started that have not ended yet. Each is our child until its waiter has
// collected its exit status, so an id in this set cannot belong to anyone else. Both live until
// the process ends: a waiter may still be running while the program's statics are destroyed.
std::mutex& StartedProgramsMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::set<pid_t>& StartedPrograms()
{
    static auto* started = new std::set<pid_t>;
    return *started;
}

// A thread per started program waits for its end and collects it at once, so that a finished
// emulator never stays behind as a zombie.
void ReapWhenEnded(pid_t pid)
{
    {
        const std::lock_guard lock(StartedProgramsMutex());
        StartedPrograms().insert(pid);
    }
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        const std::lock_guard lock(StartedProgramsMutex());
        StartedPrograms().erase(pid);
    }).detach();
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
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

std::int64_t StartDetachedProcess(const std::string& executable, const std::vector<std::string>& arguments,
                                  const EnvironmentChanges& environment, const std::string& outputFile)
{
    CheckRunnable(executable);
    const std::string folder = FolderOf(executable, "/");
    ExecArguments exec(executable, arguments, environment);

    // posix_spawn starts the program at the cost of one short pause (no copy of our memory) and
    // reports a failed exec; the program gets a session of its own so it outlives us.
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    int output = -1;
    if (!outputFile.empty()) {
        output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (output >= 0) {
            posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
            posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
        }
    }
    const int outputError = errno;
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int spawnError = output < 0 && !outputFile.empty()
                               ? -1
                               : ::posix_spawn(&pid, executable.c_str(), &actions, &attributes,
                                               exec.argv.data(), exec.envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (output >= 0)
        ::close(output);
    if (spawnError < 0)
        posix::ThrowErrno(outputError, outputFile);
    if (spawnError != 0)
        posix::ThrowErrno(spawnError, executable);
    ReapWhenEnded(pid);
    return pid;
}

std::int64_t StartProcess(const std::string& executable)
{
    return StartDetachedProcess(executable, {});
}

bool ProcessIsRunning(std::int64_t id)
{
    const std::lock_guard lock(StartedProgramsMutex());
    return StartedPrograms().count(static_cast<pid_t>(id)) > 0;
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
