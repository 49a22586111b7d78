// Copying GunShip 2000's files (30 files, about 50 MB) out of an ISO image and out of a BIN/CUE
// image (MODE1/2352), each beside the same copies from a folder: "<name>/plain".
#include "demo/DemoFolder.h"
#include "demo/DemoImage.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/cdimage/CdRoot.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace talvero {
namespace {

constexpr std::size_t kFileSize = 50 * 1024 * 1024 / 30;
constexpr int kIterations = 5;

struct Layout {
    std::filesystem::path folder;
    std::string iso;
    std::string cue;
};

// The CD as a folder (drive D:) and as both images, made once.
const Layout& Prepared()
{
    static const Layout layout = [] {
        const auto folder = std::filesystem::temp_directory_path() / "talvero-bench-cdimage";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "Drives");
        std::filesystem::create_directories(folder / "copies");
        SetAppFolder(folder.string());
        const GameProfile& gunship = *FindProfile("GunShip 2000");
        LayOutDemoCd(gunship, (folder / "Drives" / "D").string(), kFileSize);
        Layout made{folder, (folder / "gs2k.iso").string(), (folder / "gs2k.cue").string()};
        MakeIsoImage((folder / "Drives" / "D").string(), made.iso, IsoNames::JolietAndRockRidge);
        MakeBinCue(made.iso, made.cue, (folder / "gs2k.bin").string(), SectorMode::Mode1_2352);
        return made;
    }();
    return layout;
}

void CopyAll(benchmark::State& state, const std::string& image)
{
    const Layout& layout = Prepared();
    const auto records = DemoCopyRecords(*FindProfile("GunShip 2000"));
    for (auto _ : state) {
        const CdRoot cd = CdRoot::Open("D:", image);
        for (std::size_t i = 0; i < records.size(); ++i)
            cd.CopyToCache("\\" + records[i], (layout.folder / "copies" / std::to_string(i)).string());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 30 * kFileSize);
}

void FromIso(benchmark::State& state)
{
    CopyAll(state, Prepared().iso);
}

void FromBinCue(benchmark::State& state)
{
    CopyAll(state, Prepared().cue);
}

void FromFolder(benchmark::State& state)
{
    CopyAll(state, "");
}

BENCHMARK(FromIso)->Name("CdImageCopy/iso")->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(FromFolder)->Name("CdImageCopy/iso/plain")->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(FromBinCue)->Name("CdImageCopy/bincue")->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(FromFolder)
    ->Name("CdImageCopy/bincue/plain")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kIterations);

}  // namespace
}  // namespace talvero
