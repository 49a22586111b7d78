// The 30 game profiles against the product's game tables, typed here row by row and independently
// of games/GameProfiles.cpp: a wrong value in any profile fails its row.
#include "games/GameProfiles.h"

#include "platform/AppFolder.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

// folders: "prefs tree" = prefs, prefs\env-archive, prefs\env-archive\sys. copies: none, single, a count,
// all; "+patch" for the 168 patch records. support: in the order run. nv: "" = no nv_location.
// before/after: configuration lines; "sound line" = sound_output=exact with sound emulation; '@' = AppFolder.
struct Row {
    const char *title, *lists, *identity, *code;
    int emulator;
    const char *folders, *copies, *support, *nv, *before, *volume, *after, *dataFile;
};

// clang-format off
const Row kRows[] = {
    {"Akira", "CD32", "\\Akira", "akir", 817, "c, libs, nv, prefs tree, s", "single", "lowlevel and nonvolatile to libs", "0:nv", "", "0", "", "Akira.dat"},
    {"Alien Breed Special Edition '92", "CD32", "\\ab.exec", "abse", 814, "c, s", "3", "", "", "", "0", "", "Alien Breed Special Edition '92.dat"},
    {"Chambers of Shaolin", "CD32", "\\shaolin", "cham", 817, "c, s", "2", "", "", "", "0", "", "Chambers of Shaolin.dat"},
    {"D-Generation", "CD32", "\\dgen", "dgen", 814, "c, libs, nv, prefs tree, s", "3", "fakepad to c", "0:nv", "", "0", "", "D-Generation.dat"},
    {"Dark Seed", "CD32", "\\DS", "dark", 814, "c, devs, libs, nv, prefs tree, s", "6", "fakepad to c", "0:nv", "", "0", "sound line", "Dark Seed.dat"},
    {"Deep Core", "CD32", "\\Loader.exe", "deep", 814, "c, libs, s", "single", "lowlevel to libs", "", "", "0", "", "Deep Core.dat"},
    {"Defender of the Crown 2", "CD32, CDTV", "\\open.film", "def2", 814, "libs, s", "single", "debox and playerprefs to libs", "", "", "0", "sound line", "Defender of the Crown 2.dat"},
    {"F17 Challenge", "CD32", "\\f17.exec", "f17c", 814, "c, s", "3", "", "", "", "0", "", "F17 Challenge.dat"},
    {"Fantastic Voyage", "CDTV", "\\Fvloader", "fant", 814, "s", "none", "", "", "chipset=ocs", "0", "gfx_immediate_blits=true", "Fantastic Voyage.dat"},
    {"Fireforce", "CD32", "\\fforce.prg", "fire", 817, "c, libs, s", "single", "lowlevel to libs", "", "", "0", "", "Fireforce.dat"},
    {"Fly Harder", "CD32", "\\FlyCD32", "flyh", 817, "s", "none", "", "", "", "0", "", "Fly Harder.dat"},
    {"Frontier - Elite 2", "CD32", "\\Frontier", "fron", 814, "c, libs, s, Save", "all", "lowlevel and nonvolatile to libs", "", "", "cd0", "win32.map_drives=false", "Frontier - Elite 2.dat"},
    {"Global Effect", "CD32", "\\Startup", "glob", 814, "c, libs, nv, prefs tree, s", "5", "fakepad to c; lowlevel and nonvolatile to libs", "nv:", "", "0", "gfx_immediate_blits=true", "Global Effect.dat"},
    {"Gloom", "CD32", "\\Gloom", "glom", 814, "libs, prefs tree, s", "none", "lowlevel and nonvolatile to libs", "0:", "", "0", "", "Gloom.dat"},
    {"Guardian", "CD32", "\\game", "guar", 817, "s", "single+patch", "", "", "", "0", "", "Guardian.dat"},
    {"GunShip 2000", "CD32", "\\gs2.run", "gs2k", 814, "c, catalogs, catalogs\\english, fonts, fonts\\gs2000, libs, nv, prefs tree, s", "30", "fakepad to c; lowlevel and nonvolatile to libs", "nv:", "", "0", "", "GunShip 2000.dat"},
    {"IK+", "CD32", "\\Ikload", "intk", 814, "s", "none", "", "", "", "0", "", "IK+.dat"},
    {"Indiana Jones and the Last Crusade", "CDTV", "\\Indy", "i3lc", 814, "c, s", "2", "", "", "chipset=ocs", "0", "", "Indiana Jones and the Last Crusade.dat"},
    {"James Pond 2 - RoboCod", "CD32", "\\RoboLoader", "jp2r", 817, "c, devs, libs, nv, prefs tree, s", "10", "fakepad to c", "nv:", "", "0", "gfx_immediate_blits=true", "James Pond 2 - RoboCod.dat"},
    {"Jungle Strike", "CD32", "\\JStrike", "jstr", 814, "c, libs, s", "2", "fakepad to c; lowlevel to libs", "", "", "0", "", "Jungle Strike.dat"},
    {"Lemmings", "CDTV", "\\Lemmings", "lemm", 817, "c, devs, l, s", "11", "", "", "chipset=ocs", "0", "", "Lemmings.dat"},
    {"Mean Arenas", "CD32", "\\MeanArenas", "mean", 817, "libs, s", "none", "lowlevel to libs", "", "", "0", "", "Mean Arenas.dat"},
    {"Project-X Special Edition '93", "CD32", "\\prox.exec", "prjx", 814, "c, s", "3", "", "", "", "0", "", "Project-X Special Edition '93.dat"},
    {"Qwak!", "CD32", "\\qw.exec", "qwak", 814, "c, s", "3", "", "", "", "0", "", "Qwak!.dat"},
    {"Roadkill", "CD32", "\\roadkill.exe", "road", 814, "s", "none", "", "", "", "0", "", "Roadkill.dat"},
    {"Speris Legacy", "CD32", "\\Speris.exe", "sper", 817, "c, devs, libs, nv, prefs tree, s", "9", "", "nv:", "", "0", "", "Speris Legacy.dat"},
    {"Syndicate", "CD32", "\\syn", "synd", 817, "c, libs, nv, prefs tree, s", "none", "fakepad to c; lowlevel and nonvolatile to libs", "0:nv", "", "0", "", "Syndicate.dat"},
    {"Turrican 2", "CDTV", "\\Loader", "tur2", 814, "c, s", "2", "", "", "chipset=ocs", "0", "", "Turrican 2.dat"},
    {"UFO - Enemy Unknown", "CD32", "\\Geo", "ufo1", 814, "c, fonts, fonts\\ufolarge, fonts\\ufosmall, libs, nv, prefs tree, s", "10", "fakepad to c; lowlevel and nonvolatile to libs; nvram.hdf to nv", "nvram:", "", "0", "hardfile=rw,32,1,2,512,@\\Cache\\ufo1\\nv\\nvram.hdf", "UFO - Enemy Unknown.dat"},
    {"Whale's Voyage", "CD32", "\\WV_Disk_1\\wv", "wvoy", 814, "c, s", "2", "", "", "", "0", "", "Whale's Voyage.dat"},
};
// clang-format on

// Items joined by `separator`, each spelled by `text`.
std::string Join(const auto& items, const char* separator, auto text)
{
    std::string joined;
    for (const auto& item : items)
        joined += (joined.empty() ? "" : separator) + std::string(text(item));
    return joined;
}

std::vector<std::string> Fields(const auto&... texts)
{
    return {std::string(texts)...};
}

const char* const kFieldNames[] = {"title",   "lists",       "identity file", "cache code", "executable",
                                   "folders", "copies",      "support files", "nv_location", "boot script",
                                   "before",  "volume",      "after",         "data file",  "cache folder"};

// A profile spelled the way the tables spell it, in the order of a Row; the copies as the installer
// reads them.
std::vector<std::string> Spelled(const GameProfile& p)
{
    const char* lists[] = {"CD32", "CDTV", "CD32, CDTV"};
    const char* support[] = {"fakepad to c", "lowlevel to libs", "lowlevel and nonvolatile to libs",
                             "nvram.hdf to nv", "debox and playerprefs to libs"};
    std::string folders = Join(p.folders, ", ", [](const std::string& folder) { return folder; });
    if (const auto at = folders.find("prefs, prefs\\env-archive, prefs\\env-archive\\sys");
        at != std::string::npos)
        folders.replace(at, 47, "prefs tree");
    const auto line = [](const ProfileLine& l) { return l.key + LineValue(l); };
    const auto count = p.FixedCopyRecords();
    const std::string copies =
        p.copyMode == CopyMode::Fixed
            ? std::to_string(count.value())
            : std::vector<std::string>{"none", "single", "", "all"}.at(count.value_or(3));
    return Fields(p.title, lists[int(p.lists)], p.identityFile, p.cacheCode, p.executable, folders,
                  copies + (p.patch ? "+patch" : ""),
                  Join(p.supportFiles, "; ", [&](SupportFile file) { return support[int(file)]; }),
                  p.nvLocation.value_or(""), p.bootScript ? "boot script" : "no boot script",
                  Join(p.linesBefore, "; ", line), p.volume,
                  Join(p.linesAfter, "; ", line) + (p.soundLine ? "sound line" : ""), DataFilePath(p),
                  CacheFolderPath(p));
}

TEST(GameProfiles, EveryRowAsTheGameTablesGiveIt)
{
    SetAppFolder("@");
    ASSERT_EQ(std::size(kRows), GameProfiles().size());
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const Row& r = kRows[i];
        const auto expected = Fields(r.title, r.lists, r.identity, r.code,
                                     "WinUAE" + std::to_string(r.emulator) + "r3.exe", r.folders, r.copies,
                                     r.support, r.nv, r.code == std::string("fron") ? "no boot script" : "boot script",
                                     r.before, r.volume, NativePath(r.after),
                                     NativePath(std::string("@\\Data\\") + r.dataFile),
                                     NativePath(std::string("@\\Cache\\") + r.code));
        const auto actual = Spelled(GameProfiles()[i]);
        for (std::size_t field = 0; field < std::size(kFieldNames); ++field)
            EXPECT_EQ(expected.at(field), actual.at(field)) << r.title << ": " << kFieldNames[field];
    }
}

}  // namespace
}  // namespace talvero
