#include "games/GameProfiles.h"

#include "platform/AppFolder.h"

namespace talvero {

namespace {

using Folders = std::vector<std::string>;
using F = SupportFile;

const Folders kPrefsTree = {"prefs", "prefs\\env-archive", "prefs\\env-archive\\sys"};

Folders Tree(std::initializer_list<std::string> before, bool prefs, std::initializer_list<std::string> after)
{
    Folders folders(before);
    if (prefs)
        folders.insert(folders.end(), kPrefsTree.begin(), kPrefsTree.end());
    folders.insert(folders.end(), after);
    return folders;
}

GameProfile Game(std::string title, bool cd32, bool cdtv, std::string identity, std::string code,
                 const char* executable, Folders folders, CopyMode mode, int count,
                 std::vector<SupportFile> support, std::optional<std::string> nvLocation)
{
    GameProfile p;
    p.title = std::move(title);
    p.inCD32 = cd32;
    p.inCDTV = cdtv;
    p.identityFile = std::move(identity);
    p.cacheCode = std::move(code);
    p.executable = executable;
    p.folders = std::move(folders);
    p.copyMode = mode;
    p.copyCount = count;
    p.supportFiles = std::move(support);
    p.nvLocation = std::move(nvLocation);
    return p;
}

constexpr bool CD32 = true;
constexpr bool CDTV = true;
constexpr bool No = false;
const char* const E817 = kEmulator817;
const char* const E814 = kEmulator814;
const auto None = std::nullopt;

std::vector<GameProfile> BuildProfiles()
{
    const ProfileLine ocs{"chipset=", "ocs", ""};
    const ProfileLine blitsOn{"gfx_immediate_blits=", "true", ""};
    using M = CopyMode;
    std::vector<GameProfile> g;

    g.push_back(Game("Akira", CD32, No, "\\Akira", "akir", E817, Tree({"c", "libs", "nv"}, true, {"s"}),
                     M::Single, 1, {F::LowlevelAndNonvolatile}, "0:nv"));
    g.push_back(Game("Alien Breed Special Edition '92", CD32, No, "\\ab.exec", "abse", E814, {"c", "s"},
                     M::Fixed, 3, {}, None));
    g.push_back(Game("Chambers of Shaolin", CD32, No, "\\shaolin", "cham", E817, {"c", "s"}, M::Fixed, 2, {}, None));
    g.push_back(Game("D-Generation", CD32, No, "\\dgen", "dgen", E814, Tree({"c", "libs", "nv"}, true, {"s"}),
                     M::Fixed, 3, {F::Fakepad}, "0:nv"));
    g.push_back(Game("Dark Seed", CD32, No, "\\DS", "dark", E814, Tree({"c", "devs", "libs", "nv"}, true, {"s"}),
                     M::Fixed, 6, {F::Fakepad}, "0:nv"));
    g.back().soundLine = true;
    g.push_back(Game("Deep Core", CD32, No, "\\Loader.exe", "deep", E814, {"c", "libs", "s"}, M::Single, 1,
                     {F::Lowlevel}, None));
    g.push_back(Game("Defender of the Crown 2", CD32, CDTV, "\\open.film", "def2", E814, {"libs", "s"},
                     M::Single, 1, {F::Debox}, None));
    g.back().soundLine = true;
    g.push_back(Game("F17 Challenge", CD32, No, "\\f17.exec", "f17c", E814, {"c", "s"}, M::Fixed, 3, {}, None));
    g.push_back(Game("Fantastic Voyage", No, CDTV, "\\Fvloader", "fant", E814, {"s"}, M::None, 0, {}, None));
    g.back().linesBefore = {ocs};
    g.back().linesAfter = {blitsOn};
    g.push_back(Game("Fireforce", CD32, No, "\\fforce.prg", "fire", E817, {"c", "libs", "s"}, M::Single, 1,
                     {F::Lowlevel}, None));
    g.push_back(Game("Fly Harder", CD32, No, "\\FlyCD32", "flyh", E817, {"s"}, M::None, 0, {}, None));
    g.push_back(Game("Frontier - Elite 2", CD32, No, "\\Frontier", "fron", E814, {"c", "libs", "s", "Save"},
                     M::All, 0, {F::LowlevelAndNonvolatile}, None));
    g.back().bootScript = false;
    g.back().volume = "cd0";
    g.back().linesAfter = {{"win32.map_drives=", "false", ""}};
    g.push_back(Game("Global Effect", CD32, No, "\\Startup", "glob", E814, Tree({"c", "libs", "nv"}, true, {"s"}),
                     M::Fixed, 5, {F::Fakepad, F::LowlevelAndNonvolatile}, "nv:"));
    g.back().linesAfter = {blitsOn};
    g.push_back(Game("Gloom", CD32, No, "\\Gloom", "glom", E814, Tree({"libs"}, true, {"s"}), M::None, 0,
                     {F::LowlevelAndNonvolatile}, "0:"));
    g.push_back(Game("Guardian", CD32, No, "\\game", "guar", E817, {"s"}, M::Single, 1, {}, None));
    g.back().patch = true;
    g.push_back(Game("GunShip 2000", CD32, No, "\\gs2.run", "gs2k", E814,
                     Tree({"c", "catalogs", "catalogs\\english", "fonts", "fonts\\gs2000", "libs", "nv"}, true, {"s"}),
                     M::Fixed, 30, {F::Fakepad, F::LowlevelAndNonvolatile}, "nv:"));
    g.push_back(Game("IK+", CD32, No, "\\Ikload", "intk", E814, {"s"}, M::None, 0, {}, None));
    g.push_back(Game("Indiana Jones and the Last Crusade", No, CDTV, "\\Indy", "i3lc", E814, {"c", "s"}, M::Fixed, 2,
                     {}, None));
    g.back().linesBefore = {ocs};
    g.push_back(Game("James Pond 2 - RoboCod", CD32, No, "\\RoboLoader", "jp2r", E817,
                     Tree({"c", "devs", "libs", "nv"}, true, {"s"}), M::Fixed, 10, {F::Fakepad}, "nv:"));
    g.back().linesAfter = {blitsOn};
    g.push_back(Game("Jungle Strike", CD32, No, "\\JStrike", "jstr", E814, {"c", "libs", "s"}, M::Fixed, 2,
                     {F::Fakepad, F::Lowlevel}, None));
    g.push_back(Game("Lemmings", No, CDTV, "\\Lemmings", "lemm", E817, {"c", "devs", "l", "s"}, M::Fixed, 11, {},
                     None));
    g.back().linesBefore = {ocs};
    g.push_back(Game("Mean Arenas", CD32, No, "\\MeanArenas", "mean", E817, {"libs", "s"}, M::None, 0,
                     {F::Lowlevel}, None));
    g.push_back(Game("Project-X Special Edition '93", CD32, No, "\\prox.exec", "prjx", E814, {"c", "s"}, M::Fixed, 3,
                     {}, None));
    g.push_back(Game("Qwak!", CD32, No, "\\qw.exec", "qwak", E814, {"c", "s"}, M::Fixed, 3, {}, None));
    g.push_back(Game("Roadkill", CD32, No, "\\roadkill.exe", "road", E814, {"s"}, M::None, 0, {}, None));
    g.push_back(Game("Speris Legacy", CD32, No, "\\Speris.exe", "sper", E817,
                     Tree({"c", "devs", "libs", "nv"}, true, {"s"}), M::Fixed, 9, {}, "nv:"));
    g.push_back(Game("Syndicate", CD32, No, "\\syn", "synd", E817, Tree({"c", "libs", "nv"}, true, {"s"}), M::None, 0,
                     {F::Fakepad, F::LowlevelAndNonvolatile}, "0:nv"));
    g.push_back(Game("Turrican 2", No, CDTV, "\\Loader", "tur2", E814, {"c", "s"}, M::Fixed, 2, {}, None));
    g.back().linesBefore = {ocs};
    g.push_back(Game("UFO - Enemy Unknown", CD32, No, "\\Geo", "ufo1", E814,
                     Tree({"c", "fonts", "fonts\\ufolarge", "fonts\\ufosmall", "libs", "nv"}, true, {"s"}), M::Fixed,
                     10, {F::Fakepad, F::LowlevelAndNonvolatile, F::NvramHardfile}, "nvram:"));
    g.back().linesAfter = {{"hardfile=", "rw,32,1,2,512,", "\\Cache\\ufo1\\nv\\nvram.hdf"}};
    g.push_back(Game("Whale's Voyage", CD32, No, "\\WV_Disk_1\\wv", "wvoy", E814, {"c", "s"}, M::Fixed, 2, {}, None));
    return g;
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
        if ((system == "CD32" && profile.inCD32) || (system == "CDTV" && profile.inCDTV))
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
