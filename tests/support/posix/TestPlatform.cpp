#include "tests/support/TestPlatform.h"

#include "tests/support/TestFolder.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvero::test {

static char g_home[] = "/tmp/talvero-home-XXXXXX";

static bool BecomeNobody()
{
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

void PrepareTestProcess(const char* neededProgram)
{
    if (::geteuid() == 0 && !std::getenv("TALVERO_TESTS_KEEP_ROOT")) {
        // A child that has given up root tells whether the program can still be run without it.
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(BecomeNobody() && ::access(neededProgram, X_OK) == 0 ? 0 : 1);
        if (WaitForChild(child) != 0 || !BecomeNobody())
            std::fprintf(stderr, "note: running with root privileges; read-only folder tests are skipped\n");
    }
    if (!::mkdtemp(g_home))
        return;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(g_home, ignored);
    });
    for (const char* variable : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
        ::setenv(variable, g_home, 1);
}

std::string BuiltProgram(const std::string& cmakePath)
{
    return cmakePath;
}

void MapDrive(char, const std::string&) {}

void UnmapDrives() {}

void OverwriteKeepingTime(const std::string& path, const std::string& bytes)
{
    const auto time = std::filesystem::last_write_time(path);
    WriteFile(path, bytes);
    std::filesystem::last_write_time(path, time);
}

bool ReadOnlyFoldersAreEnforced()
{
    return ::geteuid() != 0;
}

std::int64_t StartChild(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return child;
}

int WaitForChild(std::int64_t child)
{
    int status = 0;
    const bool ended = ::waitpid(static_cast<pid_t>(child), &status, 0) == child && WIFEXITED(status);
    return ended ? WEXITSTATUS(status) : -1;
}

void KillChild(std::int64_t child)
{
    ::kill(static_cast<pid_t>(child), SIGKILL);
    WaitForChild(child);
}

void EndProcess(std::int64_t id)
{
    ::kill(static_cast<pid_t>(id), SIGKILL);
}

bool EmulatorScriptsRun()
{
    return true;
}

}  // namespace talvero::test
