// The translation of Talvero's configuration lines into an FS-UAE configuration.
#include "emulator/bridge/FsUaeTranslation.h"
#include "platform/AppFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace talvero {
namespace {

struct Translated {
    std::map<std::string, std::string> options;
    std::vector<std::string> order;
    std::vector<std::string> notes;
    bool Has(const std::string& key) const { return options.count(key) != 0; }
    std::string operator[](const std::string& key) const { return Has(key) ? options.at(key) : "<absent>"; }
};

Translated Translate(const std::string& lines, std::vector<std::pair<char, std::string>> drives = {},
                     bool romExists = false)
{
    FsUaeInputs inputs;
    inputs.defaultUae = lines;
    inputs.emulatorFolder = NativePath("/talvero/WinUAE");
    inputs.baseDir = NativePath("/talvero/WinUAE/FS-UAE/base");
    inputs.drives = std::move(drives);
    inputs.isKickstartRom = [romExists](const std::string&) { return romExists; };
    const FsUaeTranslation translation = TranslateToFsUae(inputs);
    Translated result;
    result.notes = translation.notes;
    std::istringstream text(translation.config);
    std::string line;
    std::getline(text, line);
    EXPECT_EQ("[fs-uae]", line);
    while (std::getline(text, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto equals = line.find(" = ");
        EXPECT_NE(std::string::npos, equals) << line;
        const std::string key = line.substr(0, equals);
        EXPECT_FALSE(result.Has(key)) << key << " set twice";
        result.options[key] = line.substr(equals + 3);
        result.order.push_back(key);
    }
    return result;
}

bool NoteMentions(const Translated& t, const std::string& text)
{
    return std::any_of(t.notes.begin(), t.notes.end(),
                       [&](const std::string& note) { return note.find(text) != std::string::npos; });
}

TEST(FsUaeTranslation, ChipsetChoosesTheMachine)
{
    EXPECT_EQ("A1200", Translate("chipset=aga\r\n")["amiga_model"]);
    EXPECT_EQ("A500", Translate("chipset=ocs\r\n")["amiga_model"]);
    EXPECT_EQ("A1200", Translate("")["amiga_model"]);
    const auto odd = Translate("chipset=ecs_agnus\r\n");
    EXPECT_EQ("A1200", odd["amiga_model"]);
    EXPECT_TRUE(NoteMentions(odd, "chipset=ecs_agnus"));
    EXPECT_EQ("A1200", Translate("Chipset=ocs\r\n")["amiga_model"]);
}

TEST(FsUaeTranslation, AnExistingRomIsUsedOtherwiseTheBuiltInOneAndTheLogSaysSo)
{
    const auto found = Translate("kickstart_rom_file=kick31.rom\r\n", {}, true);
    EXPECT_EQ(NativePath("/talvero/WinUAE/kick31.rom"), found["kickstart_file"]);
    EXPECT_FALSE(NoteMentions(found, "ROM"));
    const auto absolute = Translate("kickstart_rom_file=" + NativePath("/roms/kick.rom") + "\r\n", {}, true);
    EXPECT_EQ(NativePath("/roms/kick.rom"), absolute["kickstart_file"]);
    const auto missing = Translate("kickstart_rom_file=kick31.rom\r\n");
    EXPECT_EQ("internal", missing["kickstart_file"]);
    EXPECT_TRUE(NoteMentions(missing, "built-in replacement ROM"));
    EXPECT_EQ("internal", Translate("kickstart_rom_file=\r\n", {}, true)["kickstart_file"]);
    EXPECT_EQ("internal", Translate("")["kickstart_file"]);
}

TEST(FsUaeTranslation, TheFilesystemLineBecomesTheBootDriveWithItsVolumeName)
{
    const auto game = Translate("filesystem=rw,0:" + NativePath("/talvero/Cache/akir") + "\r\n");
    EXPECT_EQ(NativePath("/talvero/Cache/akir"), game["hard_drive_0"]);
    EXPECT_EQ("0", game["hard_drive_0_label"]);
    const auto frontier = Translate("filesystem=rw,cd0:C:\\Talvero\\Cache\\fron\r\n");
    EXPECT_EQ("C:\\Talvero\\Cache\\fron", frontier["hard_drive_0"]);
    EXPECT_EQ("cd0", frontier["hard_drive_0_label"]);
    for (const char* odd : {"filesystem=\r\n", "filesystem=rw\r\n", "filesystem=rw,:x\r\n", "filesystem=rw,0:\r\n", ""}) {
        const auto t = Translate(odd);
        EXPECT_FALSE(t.Has("hard_drive_0")) << odd;
        EXPECT_TRUE(NoteMentions(t, "no usable filesystem= line")) << odd;
    }
}

TEST(FsUaeTranslation, MappedDrivesBecomeReadOnlyDrivesLabelledWithTheirLetters)
{
    const std::vector<std::pair<char, std::string>> drives = {{'C', "/"}, {'D', "/media/cdrom0"}};
    const auto mapped = Translate("filesystem=rw,0:/c/akir\r\nwin32.map_drives=true\r\n", drives);
    EXPECT_EQ("/", mapped["hard_drive_1"]);
    EXPECT_EQ("C", mapped["hard_drive_1_label"]);
    EXPECT_EQ("/media/cdrom0", mapped["hard_drive_2"]);
    EXPECT_EQ("D", mapped["hard_drive_2_label"]);
    EXPECT_EQ("1", mapped["hard_drive_2_read_only"]);
    EXPECT_EQ("-128", mapped["hard_drive_2_priority"]);
    EXPECT_FALSE(Translate("filesystem=rw,0:/c/akir\r\nwin32.map_drives=false\r\n", drives).Has("hard_drive_1"));
    EXPECT_FALSE(Translate("win32.map_drives=TRUE\r\n", drives).Has("hard_drive_0"));
    // Without a game volume the drives still get their own numbers, from 0.
    EXPECT_EQ("C", Translate("win32.map_drives=true\r\n", drives)["hard_drive_0_label"]);
}

TEST(FsUaeTranslation, AHardfileKeepsItsGeometry)
{
    const std::string line = "rw,32,1,2,512," + NativePath("/talvero/Cache/ufo1/nv/nvram.hdf");
    EXPECT_EQ(line, Translate("hardfile=" + line + "\r\n")["uae_hardfile"]);
    EXPECT_FALSE(Translate("hardfile=\r\n").Has("uae_hardfile"));
}

TEST(FsUaeTranslation, TheControllerScanlinesSoundFramerateAndJit)
{
    EXPECT_EQ("keyboard", Translate("joyport1=kbd2\r\n")["joystick_port_1"]);
    for (const char* joystick : {"joyport1=joy0\r\n", "joyport1=joy1\r\n", "joyport1=mouse\r\n"}) {
        const auto t = Translate(joystick);
        EXPECT_FALSE(t.Has("joystick_port_1")) << joystick;
        EXPECT_TRUE(NoteMentions(t, "port 1")) << joystick;
    }
    EXPECT_EQ("1", Translate("gfx_linemode=scanlines\r\n")["scanlines"]);
    EXPECT_FALSE(Translate("gfx_linemode=double\r\n").Has("scanlines"));
    EXPECT_EQ("0", Translate("sound_output=interrupts\r\n")["volume"]);
    EXPECT_EQ("0", Translate("sound_output=none\r\n")["volume"]);
    EXPECT_FALSE(Translate("sound_output=normal\r\n").Has("volume"));
    EXPECT_FALSE(Translate("sound_output=exact\r\n").Has("volume"));
    EXPECT_EQ("1", Translate("gfx_framerate=1\r\n")["uae_gfx_framerate"]);
    EXPECT_EQ("2", Translate("gfx_framerate=2\r\n")["uae_gfx_framerate"]);
    EXPECT_FALSE(Translate("gfx_framerate=\r\n").Has("uae_gfx_framerate"));
    const auto jit = Translate("cachesize=2048\r\n");
    EXPECT_EQ("1", jit["jit_compiler"]);
    EXPECT_EQ("2048", jit["uae_cachesize"]);
    EXPECT_FALSE(Translate("cachesize=0\r\n").Has("jit_compiler"));
}

TEST(FsUaeTranslation, FsUaeLinesPassThroughAsTheyStandAndTheBridgesOwnSettingsAreThere)
{
    const auto t = Translate("fs-uae.warp_mode=1\r\nfs-uae.audio_driver=null\r\nfs-uae.=x\r\nfs-uae.nothing\r\n");
    EXPECT_EQ("1", t["warp_mode"]);
    EXPECT_EQ("null", t["audio_driver"]);
    EXPECT_EQ(NativePath("/talvero/WinUAE/FS-UAE/base"), t["base_dir"]);
    EXPECT_EQ("0", t["uaem_write_flags"]);
}

TEST(FsUaeTranslation, KickstartRomSizes)
{
    EXPECT_TRUE(HasKickstartRomSize(524288));
    EXPECT_TRUE(HasKickstartRomSize(262144));
    EXPECT_TRUE(HasKickstartRomSize(524299));
    EXPECT_FALSE(HasKickstartRomSize(1024));
    EXPECT_FALSE(HasKickstartRomSize(0));
}

}  // namespace
}  // namespace talvero
