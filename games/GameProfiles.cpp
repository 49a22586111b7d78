#include "games/GameProfiles.h"

#include "platform/AppFolder.h"

namespace talvero {

namespace {

using F = SupportFile;
using M = CopyMode;

// "prefs tree" in a folder list stands for prefs, prefs\env-archive and prefs\env-archive\sys.
const std::string kPrefsTree = "prefs tree";

std::vector<std::string> Folders(std::initializer_list<std::string> names)
{
    std::vector<std::string> folders;
    for (const std::string& name : names) {
        if (name == kPrefsTree)
            folders.insert(folders.end(), {"prefs", "prefs\\env-archive", "prefs\\env-archive\\sys"});
        else
            folders.push_back(name);
    }
    return folders;
}

const ProfileLine kChipsetOcs{"chipset=", "ocs", ""};
const ProfileLine kImmediateBlits{"gfx_immediate_blits=", "true", ""};

// One row per game, in the order in which Start game tests the titles.
std::vector<GameProfile> BuildProfiles()
{
    return {
        {.title = "Akira",
         .lists = Lists::CD32,
         .identityFile = "\\Akira",
         .cacheCode = "akir",
         .executable = kEmulator817,
         .folders = Folders({"c", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Single,
         .supportFiles = {F::LowlevelAndNonvolatile},
         .nvLocation = "0:nv"},
        {.title = "Alien Breed Special Edition '92",
         .lists = Lists::CD32,
         .identityFile = "\\ab.exec",
         .cacheCode = "abse",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 3},
        {.title = "Chambers of Shaolin",
         .lists = Lists::CD32,
         .identityFile = "\\shaolin",
         .cacheCode = "cham",
         .executable = kEmulator817,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 2},
        {.title = "D-Generation",
         .lists = Lists::CD32,
         .identityFile = "\\dgen",
         .cacheCode = "dgen",
         .executable = kEmulator814,
         .folders = Folders({"c", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 3,
         .supportFiles = {F::Fakepad},
         .nvLocation = "0:nv"},
        {.title = "Dark Seed",
         .lists = Lists::CD32,
         .identityFile = "\\DS",
         .cacheCode = "dark",
         .executable = kEmulator814,
         .folders = Folders({"c", "devs", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 6,
         .supportFiles = {F::Fakepad},
         .nvLocation = "0:nv",
         .soundLine = true},
        {.title = "Deep Core",
         .lists = Lists::CD32,
         .identityFile = "\\Loader.exe",
         .cacheCode = "deep",
         .executable = kEmulator814,
         .folders = Folders({"c", "libs", "s"}),
         .copyMode = M::Single,
         .supportFiles = {F::Lowlevel}},
        {.title = "Defender of the Crown 2",
         .lists = Lists::CD32AndCDTV,
         .identityFile = "\\open.film",
         .cacheCode = "def2",
         .executable = kEmulator814,
         .folders = Folders({"libs", "s"}),
         .copyMode = M::Single,
         .supportFiles = {F::Debox},
         .soundLine = true},
        {.title = "F17 Challenge",
         .lists = Lists::CD32,
         .identityFile = "\\f17.exec",
         .cacheCode = "f17c",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 3},
        {.title = "Fantastic Voyage",
         .lists = Lists::CDTV,
         .identityFile = "\\Fvloader",
         .cacheCode = "fant",
         .executable = kEmulator814,
         .folders = Folders({"s"}),
         .copyMode = M::None,
         .linesBefore = {kChipsetOcs},
         .linesAfter = {kImmediateBlits}},
        {.title = "Fireforce",
         .lists = Lists::CD32,
         .identityFile = "\\fforce.prg",
         .cacheCode = "fire",
         .executable = kEmulator817,
         .folders = Folders({"c", "libs", "s"}),
         .copyMode = M::Single,
         .supportFiles = {F::Lowlevel}},
        {.title = "Fly Harder",
         .lists = Lists::CD32,
         .identityFile = "\\FlyCD32",
         .cacheCode = "flyh",
         .executable = kEmulator817,
         .folders = Folders({"s"}),
         .copyMode = M::None},
        {.title = "Frontier - Elite 2",
         .lists = Lists::CD32,
         .identityFile = "\\Frontier",
         .cacheCode = "fron",
         .executable = kEmulator814,
         .folders = Folders({"c", "libs", "s", "Save"}),
         .copyMode = M::All,
         .supportFiles = {F::LowlevelAndNonvolatile},
         .bootScript = false,
         .volume = "cd0",
         .linesAfter = {{"win32.map_drives=", "false", ""}}},
        {.title = "Global Effect",
         .lists = Lists::CD32,
         .identityFile = "\\Startup",
         .cacheCode = "glob",
         .executable = kEmulator814,
         .folders = Folders({"c", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 5,
         .supportFiles = {F::Fakepad, F::LowlevelAndNonvolatile},
         .nvLocation = "nv:",
         .linesAfter = {kImmediateBlits}},
        {.title = "Gloom",
         .lists = Lists::CD32,
         .identityFile = "\\Gloom",
         .cacheCode = "glom",
         .executable = kEmulator814,
         .folders = Folders({"libs", kPrefsTree, "s"}),
         .copyMode = M::None,
         .supportFiles = {F::LowlevelAndNonvolatile},
         .nvLocation = "0:"},
        {.title = "Guardian",
         .lists = Lists::CD32,
         .identityFile = "\\game",
         .cacheCode = "guar",
         .executable = kEmulator817,
         .folders = Folders({"s"}),
         .copyMode = M::Single,
         .patch = true},
        {.title = "GunShip 2000",
         .lists = Lists::CD32,
         .identityFile = "\\gs2.run",
         .cacheCode = "gs2k",
         .executable = kEmulator814,
         .folders = Folders(
             {"c", "catalogs", "catalogs\\english", "fonts", "fonts\\gs2000", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 30,
         .supportFiles = {F::Fakepad, F::LowlevelAndNonvolatile},
         .nvLocation = "nv:"},
        {.title = "IK+",
         .lists = Lists::CD32,
         .identityFile = "\\Ikload",
         .cacheCode = "intk",
         .executable = kEmulator814,
         .folders = Folders({"s"}),
         .copyMode = M::None},
        {.title = "Indiana Jones and the Last Crusade",
         .lists = Lists::CDTV,
         .identityFile = "\\Indy",
         .cacheCode = "i3lc",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 2,
         .linesBefore = {kChipsetOcs}},
        {.title = "James Pond 2 - RoboCod",
         .lists = Lists::CD32,
         .identityFile = "\\RoboLoader",
         .cacheCode = "jp2r",
         .executable = kEmulator817,
         .folders = Folders({"c", "devs", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 10,
         .supportFiles = {F::Fakepad},
         .nvLocation = "nv:",
         .linesAfter = {kImmediateBlits}},
        {.title = "Jungle Strike",
         .lists = Lists::CD32,
         .identityFile = "\\JStrike",
         .cacheCode = "jstr",
         .executable = kEmulator814,
         .folders = Folders({"c", "libs", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 2,
         .supportFiles = {F::Fakepad, F::Lowlevel}},
        {.title = "Lemmings",
         .lists = Lists::CDTV,
         .identityFile = "\\Lemmings",
         .cacheCode = "lemm",
         .executable = kEmulator817,
         .folders = Folders({"c", "devs", "l", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 11,
         .linesBefore = {kChipsetOcs}},
        {.title = "Mean Arenas",
         .lists = Lists::CD32,
         .identityFile = "\\MeanArenas",
         .cacheCode = "mean",
         .executable = kEmulator817,
         .folders = Folders({"libs", "s"}),
         .copyMode = M::None,
         .supportFiles = {F::Lowlevel}},
        {.title = "Project-X Special Edition '93",
         .lists = Lists::CD32,
         .identityFile = "\\prox.exec",
         .cacheCode = "prjx",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 3},
        {.title = "Qwak!",
         .lists = Lists::CD32,
         .identityFile = "\\qw.exec",
         .cacheCode = "qwak",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 3},
        {.title = "Roadkill",
         .lists = Lists::CD32,
         .identityFile = "\\roadkill.exe",
         .cacheCode = "road",
         .executable = kEmulator814,
         .folders = Folders({"s"}),
         .copyMode = M::None},
        {.title = "Speris Legacy",
         .lists = Lists::CD32,
         .identityFile = "\\Speris.exe",
         .cacheCode = "sper",
         .executable = kEmulator817,
         .folders = Folders({"c", "devs", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 9,
         .nvLocation = "nv:"},
        {.title = "Syndicate",
         .lists = Lists::CD32,
         .identityFile = "\\syn",
         .cacheCode = "synd",
         .executable = kEmulator817,
         .folders = Folders({"c", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::None,
         .supportFiles = {F::Fakepad, F::LowlevelAndNonvolatile},
         .nvLocation = "0:nv"},
        {.title = "Turrican 2",
         .lists = Lists::CDTV,
         .identityFile = "\\Loader",
         .cacheCode = "tur2",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 2,
         .linesBefore = {kChipsetOcs}},
        {.title = "UFO - Enemy Unknown",
         .lists = Lists::CD32,
         .identityFile = "\\Geo",
         .cacheCode = "ufo1",
         .executable = kEmulator814,
         .folders =
             Folders({"c", "fonts", "fonts\\ufolarge", "fonts\\ufosmall", "libs", "nv", kPrefsTree, "s"}),
         .copyMode = M::Fixed,
         .copyCount = 10,
         .supportFiles = {F::Fakepad, F::LowlevelAndNonvolatile, F::NvramHardfile},
         .nvLocation = "nvram:",
         .linesAfter = {{"hardfile=", "rw,32,1,2,512,", "\\Cache\\ufo1\\nv\\nvram.hdf"}}},
        {.title = "Whale's Voyage",
         .lists = Lists::CD32,
         .identityFile = "\\WV_Disk_1\\wv",
         .cacheCode = "wvoy",
         .executable = kEmulator814,
         .folders = Folders({"c", "s"}),
         .copyMode = M::Fixed,
         .copyCount = 2},
    };
}

}  // namespace

bool GameProfile::WritesFakepad() const
{
    for (SupportFile file : supportFiles) {
        if (file == SupportFile::Fakepad)
            return true;
    }
    return false;
}

std::optional<int> GameProfile::FixedCopyRecords() const
{
    switch (copyMode) {
    case CopyMode::None:
        return 0;
    case CopyMode::Single:
        return 1;
    case CopyMode::Fixed:
        return copyCount;
    case CopyMode::All:
        return std::nullopt;
    }
    return std::nullopt;
}

const std::vector<GameProfile>& GameProfiles()
{
    static const std::vector<GameProfile> profiles = BuildProfiles();
    return profiles;
}

const GameProfile* FindProfile(const std::string& title)
{
    for (const GameProfile& profile : GameProfiles()) {
        if (profile.title == title)
            return &profile;
    }
    return nullptr;
}

std::vector<std::string> TitlesOfList(const std::string& system)
{
    std::vector<std::string> titles;
    for (const GameProfile& profile : GameProfiles()) {
        if ((system == "CD32" && profile.InCD32()) || (system == "CDTV" && profile.InCDTV()))
            titles.push_back(profile.title);
    }
    return titles;
}

std::string LineValue(const ProfileLine& line)
{
    return line.appPath.empty() ? line.value : line.value + AppPath(line.appPath);
}

std::string DataFilePath(const GameProfile& profile)
{
    return AppPath("\\Data\\" + profile.title + ".dat");
}

std::string CacheFolderPath(const GameProfile& profile)
{
    return AppPath("\\Cache\\" + profile.cacheCode);
}

}  // namespace talvero
