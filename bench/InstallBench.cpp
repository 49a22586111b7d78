// Installing the largest profile (GunShip 2000, 30 copies, 50 MB from the CD) into an empty cache
// beside a plain copy of the same files; Start game of it with an empty cache and again with
// nothing changed; and the peak memory of a program that installs a game with one 600 MB file.
#include "bench/InstallBench.h"

#include "app/StartGame.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/ActivityLogTesting.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/Process.h"
#include "platform/cdimage/CdRoot.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace talvero {
namespace {

constexpr std::size_t kFileSize = 50 * 1024 * 1024 / 30;
constexpr std::uintmax_t kLargeFileSize = 600ull * 1024 * 1024;

const GameProfile& Gunship()
{
    return *FindProfile("GunShip 2000");
}

fs::path Prepare(const GameProfile& profile, std::size_t fileSize)
{
    const auto folder = fs::temp_directory_path() / "talvero-bench-install";
    fs::remove_all(folder);
    fs::create_directories(folder / "Cache");
    LayOutDemoAppFolder(folder.string(), TALVERO_STANDIN);
    // The starts log beside the folder, not in the user's own log.
    testing::SetLogFile((folder / "talvero.log").string());
    fs::create_directories(folder / "Drives");
    LayOutDemoCd(profile, (folder / "Drives" / "D").string(), fileSize);
    // The emulator is not what is measured: a program that ends at once stands in for it.
    for (const char* executable : {kEmulator814, kEmulator817}) {
        const std::string path = AppPath(std::string("\\WinUAE\\") + executable);
        WriteFileBytes(path, "#!/bin/sh\nexit 0\n");
        MarkExecutable(path);
    }
    return folder;
}

// Any message would mean that the start did not do what is measured.
class AnswersYes final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override
    {
        if (request.buttons == MessageButtons::YesNo)
            return MessageAnswer::Yes;
        shown = request.text;
        return MessageAnswer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
    void EndProgramNow() override { std::abort(); }
    std::string shown;
};

double SecondsOf(const std::function<void()>& work)
{
    const auto begin = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// The same files copied into the same tree (its folders made as they are needed), as a plain
// recursive copy of them would.
void PlainCopy(const fs::path& folder, const std::vector<std::string>& records)
{
    for (const std::string& record : records) {
        const fs::path target = folder / "plain" / NativePath(record);
        fs::create_directories(target.parent_path());
        fs::copy_file(folder / "Drives" / "D" / NativePath(record), target);
    }
}

// What an install of this game must do besides copying its files, done as plainly as possible:
// the profile's folders that hold no copied file, the three runtime files and nv_location, one
// configuration file written durably (file and folder synced), and the emulator started.
void PlainExtras(const fs::path& folder)
{
    const fs::path plain = folder / "plain";
    for (const char* extra : {"nv", "prefs/env-archive/sys"})
        fs::create_directories(plain / extra);
    for (const char* small :
         {"c/fakepad", "libs/lowlevel.library", "libs/nonvolatile.library", "nv_location"})
        std::ofstream(plain / small, std::ios::binary) << std::string(4096, 'x');
    const std::string config = (plain / "Default.uae").string();
    const int file = ::open(config.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string text(1000, 'x');
    if (file < 0 || ::write(file, text.data(), text.size()) != static_cast<ssize_t>(text.size()) ||
        ::fsync(file) != 0)
        std::abort();
    ::close(file);
    const int dir = ::open(plain.c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(dir);
    ::close(dir);
    StartProcess(AppPath(std::string("\\WinUAE\\") + kEmulator814));
}

// Each round installs into an empty cache (timed) and copies the same files plainly beside it
// (untimed, in turn before and after, so that neither finds the disc's pages always warmer).
// Counters: x_plain, the install's time over the plain copy's, both summed over the same rounds
// (a machine that slows down meanwhile slows both); x_floor, the plain copy together with the
// plain extras above over the plain copy alone: what no install of this game can go below.
void Install(benchmark::State& state)
{
    const auto folder = Prepare(Gunship(), kFileSize);
    const auto records = DemoCopyRecords(Gunship());
    double installSeconds = 0;
    double plainSeconds = 0;
    double extrasSeconds = 0;
    bool plainFirst = false;
    const auto plainCopy = [&] {
        plainSeconds += SecondsOf([&] { PlainCopy(folder, records); });
        extrasSeconds += SecondsOf([&] { PlainExtras(folder); });
    };
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder / "Cache" / Gunship().cacheCode);
        fs::remove_all(folder / "plain");
        if (plainFirst)
            plainCopy();
        state.ResumeTiming();
        installSeconds += SecondsOf([&] {
            RunReportingFailures([] {
                InstallGame(Gunship(), CacheFolderPath(Gunship()), CdRoot::Open("D:"), {"D:", true});
                StartEmulator(Gunship().executable, CacheFolderPath(Gunship()));
            });
        });
        state.PauseTiming();
        if (!plainFirst)
            plainCopy();
        plainFirst = !plainFirst;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 30 * kFileSize);
    state.counters["plain_ms"] = 1000 * plainSeconds / static_cast<double>(state.iterations());
    state.counters["x_plain"] = installSeconds / plainSeconds;
    state.counters["x_floor"] = (plainSeconds + extrasSeconds) / plainSeconds;
}

// Start game as the main window runs it, with the stored switches off.
void StartGunship(AnswersYes& host)
{
    if (StartGame(Gunship().title, {}, [] { return InstallerOptions{"D:", true}; }) != StartResult::Started ||
        !host.shown.empty())
        std::abort();
}

// A start keeps the configuration's turn until its emulator has read the file; a user's next
// start comes long after that. The wait is left out of the timed start that follows.
void WaitUntilTheEmulatorReadItsConfiguration()
{
    const ConfigurationTurn afterThePreviousStart;
}

void WaitUntilTheEmulatorReadItsConfiguration(benchmark::State& state)
{
    state.PauseTiming();
    WaitUntilTheEmulatorReadItsConfiguration();
    state.ResumeTiming();
}

// The first start of a game with an empty cache, and then the same start again with nothing
// changed, each timed alone.
void FirstStart(benchmark::State& state)
{
    Host& previous = CurrentHost();
    AnswersYes host;
    SetHost(&host);
    const auto folder = Prepare(Gunship(), kFileSize);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder / "Cache" / Gunship().cacheCode);
        state.ResumeTiming();
        StartGunship(host);
        WaitUntilTheEmulatorReadItsConfiguration(state);
    }
    SetHost(&previous);
}

void SecondStart(benchmark::State& state)
{
    Host& previous = CurrentHost();
    AnswersYes host;
    SetHost(&host);
    Prepare(Gunship(), kFileSize);
    StartGunship(host);
    WaitUntilTheEmulatorReadItsConfiguration();
    for (auto _ : state) {
        StartGunship(host);
        WaitUntilTheEmulatorReadItsConfiguration(state);
    }
    SetHost(&previous);
}

// A fresh process (this program run with kPeakMemoryArgument) installs Akira from a CD whose one
// file is 600 MB; its peak resident memory is the figure.
void PeakMemory(benchmark::State& state)
{
    const auto folder = Prepare(*FindProfile("Akira"), 0);
    const auto large = folder / "Drives" / "D" / DemoCopyRecords(*FindProfile("Akira")).front();
    fs::resize_file(large, kLargeFileSize);
    for (auto _ : state) {
        fs::remove_all(folder / "Cache" / "akir");
        const pid_t child = ::fork();
        if (child == 0) {
            const std::string self = RunningExecutablePath();
            ::execl(self.c_str(), self.c_str(), kPeakMemoryArgument, folder.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        struct rusage usage {};
        ::wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            fs::file_size(folder / "Cache" / "akir" / large.filename()) != kLargeFileSize)
            state.SkipWithError("the install of the 600 MB file failed");
        state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
}

BENCHMARK(Install)->Name("InstallGunship2000")->Unit(benchmark::kMillisecond);
BENCHMARK(FirstStart)->Name("FirstStartGunship2000")->Unit(benchmark::kMillisecond);
BENCHMARK(SecondStart)->Name("SecondStartGunship2000")->Unit(benchmark::kMillisecond);
// What every start pays whatever it copies: starting the (stand-in) emulator process.
void StartEmulatorOnly(benchmark::State& state)
{
    Prepare(Gunship(), 1);
    for (auto _ : state)
        StartProcess(AppPath(std::string("\\WinUAE\\") + kEmulator814));
}

BENCHMARK(StartEmulatorOnly)->Name("StartEmulatorProcess")->Unit(benchmark::kMillisecond);
BENCHMARK(PeakMemory)->Name("Install600MBFile")->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int InstallForPeakMemory(const std::string& folder)
{
    SetAppFolder(folder);
    testing::SetLogFile(JoinPath(folder, "talvero.log"));
    const GameProfile& akira = *FindProfile("Akira");
    RunReportingFailures([&] { InstallGame(akira, CacheFolderPath(akira), CdRoot::Open("D:"), {"D:", true}); });
    return 0;
}

}  // namespace talvero
