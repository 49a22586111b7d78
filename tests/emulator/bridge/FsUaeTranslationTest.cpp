// The translation of Talvero's configuration lines into an FS-UAE configuration.
#include "emulator/bridge/FsUaeTranslation.h"

#include "platform/AppFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace talvero {
namespace {

struct Translated {
    std::map<std::string, std::string> options;
    std::string notes;
    std::string operator[](const std::string& key) const
    {
        return options.count(key) ? options.at(key) : "<absent>";
    }
};

Translated Translate(const std::string& lines, bool romExists = false,
                     std::vector<std::pair<char, std::string>> drives = {})
{
    FsUaeInputs inputs{lines, NativePath("/talvero/WinUAE"), NativePath("/talvero/WinUAE/FS-UAE/base"),
                       std::move(drives), [romExists](const std::string&) { return romExists; }};
    const FsUaeTranslation translation = TranslateToFsUae(inputs);
    Translated result;
    for (const std::string& note : translation.notes)
        result.notes += note + "\n";
    std::istringstream text(translation.config);
    std::string line;
    std::getline(text, line);
    EXPECT_EQ("[fs-uae]", line);
    while (std::getline(text, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto equals = line.find(" = ");
        EXPECT_NE(std::string::npos, equals) << line;
        EXPECT_EQ(0u, result.options.count(line.substr(0, equals))) << line << " set twice";
        result.options[line.substr(0, equals)] = line.substr(equals + 3);
    }
    return result;
}

struct Case {
    std::string lines;
    const char* key;
    std::string value;      // "<absent>" when the key must not be set
    const char* note = "";  // a text the notes must hold
    bool romExists = false;
};

TEST(FsUaeTranslation, EachLineBecomesItsOption)
{
    const std::string akir = NativePath("/talvero/Cache/akir");
    const std::string hdf = "rw,32,1,2,512," + NativePath("/talvero/Cache/ufo1/nv/nvram.hdf");
    const Case cases[] = {
        {"chipset=aga\r\n", "amiga_model", "A1200"},
        {"chipset=ocs\r\n", "amiga_model", "A500"},
        {"", "amiga_model", "A1200"},
        {"chipset=ecs_agnus\r\n", "amiga_model", "A1200", "chipset=ecs_agnus"},
        {"Chipset=ocs\r\n", "amiga_model", "A1200"},
        {"kickstart_rom_file=kick31.rom\r\n", "kickstart_file", NativePath("/talvero/WinUAE/kick31.rom"), "",
         true},
        {"kickstart_rom_file=" + NativePath("/roms/kick.rom") + "\r\n", "kickstart_file",
         NativePath("/roms/kick.rom"), "", true},
        {"kickstart_rom_file=kick31.rom\r\n", "kickstart_file", "internal", "built-in replacement ROM"},
        {"kickstart_rom_file=\r\n", "kickstart_file", "internal", "", true},
        {"filesystem=rw,0:" + akir + "\r\n", "hard_drive_0", akir},
        {"filesystem=rw,0:" + akir + "\r\n", "hard_drive_0_label", "0"},
        {"filesystem=rw,cd0:C:\\Talvero\\Cache\\fron\r\n", "hard_drive_0", "C:\\Talvero\\Cache\\fron"},
        {"filesystem=rw,cd0:C:\\Talvero\\Cache\\fron\r\n", "hard_drive_0_label", "cd0"},
        {"filesystem=\r\n", "hard_drive_0", "<absent>", "no usable filesystem= line"},
        {"filesystem=rw\r\n", "hard_drive_0", "<absent>", "no usable filesystem= line"},
        {"filesystem=rw,:x\r\n", "hard_drive_0", "<absent>", "no usable filesystem= line"},
        {"filesystem=rw,0:\r\n", "hard_drive_0", "<absent>", "no usable filesystem= line"},
        {"hardfile=" + hdf + "\r\n", "uae_hardfile", hdf},
        {"hardfile=\r\n", "uae_hardfile", "<absent>"},
        {"joyport1=kbd2\r\n", "joystick_port_1", "keyboard"},
        {"joyport1=joy0\r\n", "joystick_port_1", "<absent>", "port 1"},
        {"joyport1=joy1\r\n", "joystick_port_1", "<absent>", "port 1"},
        {"joyport1=mouse\r\n", "joystick_port_1", "<absent>", "port 1"},
        {"gfx_linemode=scanlines\r\n", "scanlines", "1"},
        {"gfx_linemode=double\r\n", "scanlines", "<absent>"},
        {"sound_output=interrupts\r\n", "volume", "0"},
        {"sound_output=none\r\n", "volume", "0"},
        {"sound_output=normal\r\n", "volume", "<absent>"},
        {"sound_output=exact\r\n", "volume", "<absent>"},
        {"gfx_framerate=1\r\n", "uae_gfx_framerate", "1"},
        {"gfx_framerate=2\r\n", "uae_gfx_framerate", "2"},
        {"gfx_framerate=\r\n", "uae_gfx_framerate", "<absent>"},
        {"cachesize=2048\r\n", "jit_compiler", "1"},
        {"cachesize=2048\r\n", "uae_cachesize", "2048"},
        {"cachesize=0\r\n", "jit_compiler", "<absent>"},
        {"fs-uae.warp_mode=1\r\nfs-uae.=x\r\nfs-uae.nothing\r\n", "warp_mode", "1"},
        {"", "base_dir", NativePath("/talvero/WinUAE/FS-UAE/base")},
        {"", "uaem_write_flags", "0"}};
    for (const Case& c : cases) {
        const Translated t = Translate(c.lines, c.romExists);
        EXPECT_EQ(c.value, t[c.key]) << c.lines << " -> " << c.key;
        EXPECT_NE(std::string::npos, t.notes.find(c.note)) << c.lines << " notes:\n" << t.notes;
    }
    EXPECT_EQ(std::string::npos, Translate("kickstart_rom_file=kick31.rom\r\n", true).notes.find("ROM"));
}

TEST(FsUaeTranslation, MappedDrivesBecomeReadOnlyDrivesLabelledWithTheirLetters)
{
    const std::vector<std::pair<char, std::string>> drives = {{'C', "/"}, {'D', "/media/cdrom0"}};
    const auto mapped = Translate("filesystem=rw,0:/c/akir\r\nwin32.map_drives=true\r\n", false, drives);
    EXPECT_EQ("/|C|/media/cdrom0|D|1|-128",
              mapped["hard_drive_1"] + "|" + mapped["hard_drive_1_label"] + "|" + mapped["hard_drive_2"] +
                  "|" + mapped["hard_drive_2_label"] + "|" + mapped["hard_drive_2_read_only"] + "|" +
                  mapped["hard_drive_2_priority"]);
    EXPECT_EQ("<absent>", Translate("filesystem=rw,0:/c/akir\r\nwin32.map_drives=false\r\n", false,
                                    drives)["hard_drive_1"]);
    EXPECT_EQ("<absent>", Translate("win32.map_drives=TRUE\r\n", false, drives)["hard_drive_0"]);
    // Without a game volume the drives still get their own numbers, from 0.
    EXPECT_EQ("C", Translate("win32.map_drives=true\r\n", false, drives)["hard_drive_0_label"]);
}

TEST(FsUaeTranslation, KickstartRomSizes)
{
    for (std::uint64_t size : {524288u, 262144u, 524299u, 1024u, 0u})
        EXPECT_EQ(size > 1024, HasKickstartRomSize(size)) << size;
}

}  // namespace
}  // namespace talvero
