// Installing the largest profile (GunShip 2000, 30 copies, 50 MB from the CD) beside a plain copy
// of the same files.
#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Host.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace talvero {
namespace {

constexpr std::size_t kFileSize = 50 * 1024 * 1024 / 30;

const GameProfile& Gunship()
{
    return *FindProfile("GunShip 2000");
}

std::filesystem::path Prepare()
{
    const auto folder = std::filesystem::temp_directory_path() / "talvero-bench-install";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Cache");
    LayOutDemoAppFolder(folder.string(), TALVERO_STANDIN);
    std::filesystem::create_directories(folder / "Drives");
    LayOutDemoCd(Gunship(), (folder / "Drives" / "D").string(), kFileSize);
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
    Prepare();
    for (auto _ : state)
        InstallGame(Gunship().title, {"D:", true});
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 30 * kFileSize);
}

void PlainCopy(benchmark::State& state)
{
    const auto folder = Prepare();
    const auto records = DemoCopyRecords(Gunship());
    std::filesystem::create_directories(folder / "plain");
    for (auto _ : state) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            std::filesystem::copy_file(folder / "Drives" / "D" / NativePath(records[i]),
                                       folder / "plain" / std::to_string(i),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 30 * kFileSize);
}

BENCHMARK(Install)->Name("InstallGunship2000")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainCopy)->Name("InstallGunship2000/plain")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvero
