#include "tests/support/TestImages.h"

#include "tests/support/TestFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace talvero::test {

namespace {

std::string Pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed + i / 2048) & 0xFF);
    return bytes;
}

TestFolder& Workshop()
{
    static TestFolder folder;
    return folder;
}

std::string SourceFolder(bool longNames)
{
    const std::string source = Workshop() / (longNames ? "files-long" : "files-plain");
    if (!fs::exists(source)) {
        for (const auto& [path, bytes] : ImageFiles()) {
            fs::create_directories(fs::path(source + "/" + path).parent_path());
            WriteFile(source + "/" + path, bytes);
        }
        if (longNames)
            WriteFile(source + "/" + kLongName, "long names survive");
    }
    return source;
}

}  // namespace

const std::map<std::string, std::string>& ImageFiles()
{
    static const std::map<std::string, std::string> files = {
        {"Akira", "identity file of the game"},
        {"c/Loader.exe", Pattern(3000, 1)},
        {"data/levels/deep/Level1.dat", Pattern(2048, 2)},
        {"WV_Disk1/wv", "whale"},
        {"Empty", ""},
        {"big.dat", Pattern(4 * 1024 * 1024 + 4321, 3)},  // over 4 MiB, not a whole number of sectors
    };
    return files;
}

const std::vector<ImageKind>& ImageKinds()
{
    static const std::vector<ImageKind> kinds = {
        {"iso-plain", Container::Iso, IsoNames::Plain, SectorMode::Mode1_2048, 0},
        {"iso-joliet", Container::Iso, IsoNames::Joliet, SectorMode::Mode1_2048, 0},
        {"iso-rockridge", Container::Iso, IsoNames::RockRidge, SectorMode::Mode1_2048, 0},
        {"iso-joliet-rockridge", Container::Iso, IsoNames::JolietAndRockRidge, SectorMode::Mode1_2048, 0},
        {"cue-mode1-2048", Container::Cue, IsoNames::Plain, SectorMode::Mode1_2048, 0},
        {"cue-mode1-2352", Container::Cue, IsoNames::RockRidge, SectorMode::Mode1_2352, 0},
        {"cue-mode2-2352", Container::Cue, IsoNames::Joliet, SectorMode::Mode2_2352, 0},
        {"cue-data-and-audio", Container::Cue, IsoNames::JolietAndRockRidge, SectorMode::Mode1_2352, 300},
        {"nrg", Container::Nrg, IsoNames::JolietAndRockRidge, SectorMode::Mode1_2048, 0},
    };
    return kinds;
}

std::string ImageOf(const ImageKind& kind)
{
    const std::string base = Workshop() / kind.name;
    const std::string iso = base + ".iso";
    if (!fs::exists(iso))
        MakeIsoImage(SourceFolder(kind.names != IsoNames::Plain), iso, kind.names);
    if (kind.container == Container::Iso)
        return iso;
    if (kind.container == Container::Nrg) {
        if (!fs::exists(base + ".nrg"))
            MakeNrg(iso, base + ".nrg");
        return base + ".nrg";
    }
    if (!fs::exists(base + ".cue"))
        MakeBinCue(iso, base + ".cue", base + ".bin", kind.mode, kind.audioSectors);
    return base + ".cue";
}

std::string CopyOfImage(const ImageKind& kind, const std::string& folder)
{
    const std::string image = ImageOf(kind);
    const std::string copy = folder + "/" + fs::path(image).filename().string();
    fs::copy_file(image, copy, fs::copy_options::overwrite_existing);
    if (kind.container == Container::Cue)
        fs::copy_file(Workshop() / (std::string(kind.name) + ".bin"), folder + "/" + kind.name + ".bin",
                      fs::copy_options::overwrite_existing);
    return copy;
}

}  // namespace talvero::test
