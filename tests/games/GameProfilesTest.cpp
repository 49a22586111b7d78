// The 30 game profiles against the product's game tables, typed here row by row and independently
// of games/GameProfiles.cpp: a wrong value in any profile fails one of these rows.
#include "games/GameProfiles.h"

#include "platform/AppFolder.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

struct Row {
    const char* title;
    const char* lists;
    const char* identity;
    const char* code;
    int emulator;
    const char* folders;  // "prefs tree" = prefs, prefs\env-archive, prefs\env-archive\sys
    const char* copies;   // none, single, a count, all; "+patch" for the 168 patch records
    const char* support;  // in the order run, separated by "; "
    const char* nv;       // "" = no nv_location
    const char* before;   // configuration lines "key=value", separated by "; "
    const char* volume;
    const char* after;  // as `before`; "sound line" = sound_output=exact with sound emulation
    const char* dataFile;
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

// The profile's values spelled the way the table spells them.
std::string ListsOf(const GameProfile& p)
{
    return p.InCD32() && p.InCDTV() ? "CD32, CDTV" : p.InCD32() ? "CD32" : "CDTV";
}

std::string Folders(const GameProfile& p)
{
    std::string text;
    for (const std::string& folder : p.folders)
        text += (text.empty() ? "" : ", ") + folder;
    const std::size_t prefs = text.find("prefs, prefs\\env-archive, prefs\\env-archive\\sys");
    return prefs == std::string::npos ? text : text.replace(prefs, 47, "prefs tree");
}

std::string Copies(const GameProfile& p)
{
    const char* modes[] = {"none", "single", "", "all"};
    const std::string mode =
        p.copyMode == CopyMode::Fixed ? std::to_string(p.copyCount) : modes[int(p.copyMode)];
    return mode + (p.patch ? "+patch" : "");
}

std::string Support(const GameProfile& p)
{
    const char* names[] = {"fakepad to c", "lowlevel to libs", "lowlevel and nonvolatile to libs",
                           "nvram.hdf to nv", "debox and playerprefs to libs"};
    std::string text;
    for (SupportFile file : p.supportFiles)
        text += (text.empty() ? "" : "; ") + std::string(names[int(file)]);
    return text;
}

std::string Lines(const std::vector<ProfileLine>& lines, bool soundLine)
{
    std::string text;
    for (const ProfileLine& line : lines)
        text += (text.empty() ? "" : "; ") + line.key + LineValue(line);
    return soundLine ? text + (text.empty() ? "" : "; ") + "sound line" : text;
}

TEST(GameProfiles, EveryRowAsTheGameTablesGiveIt)
{
    SetAppFolder(NativePath("\\talvero"));
    const auto& profiles = GameProfiles();
    ASSERT_EQ(std::size(kRows), profiles.size());
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        const Row& row = kRows[i];
        const GameProfile& p = profiles[i];
        SCOPED_TRACE(row.title);
        EXPECT_EQ(row.title, p.title);
        EXPECT_EQ(&p, FindProfile(row.title));
        EXPECT_EQ(row.lists, ListsOf(p));
        EXPECT_EQ(row.identity, p.identityFile);
        EXPECT_EQ(row.code, p.cacheCode);
        EXPECT_EQ("WinUAE" + std::to_string(row.emulator) + "r3.exe", p.executable);
        EXPECT_EQ(row.folders, Folders(p));
        EXPECT_EQ(row.copies, Copies(p));
        EXPECT_EQ(row.support, Support(p));
        EXPECT_EQ(row.nv, p.nvLocation.value_or(""));
        EXPECT_EQ(row.code != std::string("fron"), p.bootScript);
        EXPECT_EQ(row.before, Lines(p.linesBefore, false));
        EXPECT_EQ(row.volume, p.volume);
        std::string after = row.after;
        if (const auto at = after.find('@'); at != std::string::npos)
            after = after.substr(0, at) + AppPath(after.substr(at + 1));
        EXPECT_EQ(after, Lines(p.linesAfter, p.soundLine));
        EXPECT_EQ(NativePath("\\talvero\\Data\\") + row.dataFile, DataFilePath(p));
        EXPECT_EQ(NativePath("\\talvero\\Cache\\") + row.code, CacheFolderPath(p));
    }
}

TEST(GameProfiles, TitlesMatchExactlyAndEachListHoldsItsGames)
{
    EXPECT_EQ(nullptr, FindProfile("akira"));
    EXPECT_EQ(nullptr, FindProfile("Akira "));
    EXPECT_EQ(26u, TitlesOfList("CD32").size());
    EXPECT_EQ((std::vector<std::string>{"Defender of the Crown 2", "Fantastic Voyage",
                                        "Indiana Jones and the Last Crusade", "Lemmings", "Turrican 2"}),
              TitlesOfList("CDTV"));
    EXPECT_TRUE(TitlesOfList("cd32").empty());
    EXPECT_EQ(std::optional<int>(30), FindProfile("GunShip 2000")->FixedCopyRecords());
    EXPECT_EQ(std::optional<int>(1), FindProfile("Akira")->FixedCopyRecords());
    EXPECT_EQ(std::optional<int>(0), FindProfile("Gloom")->FixedCopyRecords());
    EXPECT_EQ(std::nullopt, FindProfile("Frontier - Elite 2")->FixedCopyRecords());
}

}  // namespace
}  // namespace talvero
