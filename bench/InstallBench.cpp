// Installing the largest profile (GunShip 2000, 30 copies, 50 MB from the CD) into an empty cache
// beside a plain copy of the same files into an empty folder; the second start of the same game
// with nothing changed; and the peak memory of a program that installs a game with one 600 MB file.
#include "bench/InstallBench.h"

#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/ActivityLog.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Process.h"

#include <benchmark/benchmark.h>
#include <filesystem>
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

void Install(benchmark::State& state)
{
    const auto folder = Prepare(Gunship(), kFileSize);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder / "Cache" / Gunship().cacheCode);
        state.ResumeTiming();
        InstallGame(Gunship().title, {"D:", true});
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 30 * kFileSize);
}

void PlainCopy(benchmark::State& state)
{
    const auto folder = Prepare(Gunship(), kFileSize);
    const auto records = DemoCopyRecords(Gunship());
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder / "plain");
        fs::create_directories(folder / "plain");
        state.ResumeTiming();
        for (std::size_t i = 0; i < records.size(); ++i)
            fs::copy_file(folder / "Drives" / "D" / NativePath(records[i]),
                          folder / "plain" / std::to_string(i));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 30 * kFileSize);
}

// The first start of each run is timed alone; then the same game again with nothing changed.
void SecondStart(benchmark::State& state)
{
    Prepare(Gunship(), kFileSize);
    InstallGame(Gunship().title, {"D:", true});
    for (auto _ : state)
        InstallGame(Gunship().title, {"D:", true});
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
BENCHMARK(PlainCopy)->Name("InstallGunship2000/plain")->Unit(benchmark::kMillisecond);
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
    InstallGame("Akira", {"D:", true});
    return 0;
}

}  // namespace talvero
