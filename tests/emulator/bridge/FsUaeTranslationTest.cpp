// The translation of Talvero's configuration lines into an FS-UAE configuration.
#include "emulator/bridge/FsUaeTranslation.h"

#include "platform/AppFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace talvero {
namespace {

// Every option written, "key=value " in order after the section line, and the notes, each ending "|".
// Of the drives only the CD is mapped: never the root folder ("/", "//"), even as drive A or F, and
// a Drives/C folder that the user made is a CD like any other.
std::pair<std::string, std::string> Translate(const std::string& lines, bool romExists)
{
    const FsUaeTranslation out = TranslateToFsUae(
        {lines, NativePath("/e"), "base", {{'A', "/"}, {'C', "/cd"}, {'F', "//"}}, [=](const std::string&) {
             return romExists;
         }});
    std::string options = out.config.substr(0, out.config.find('\n') + 1), notes;
    std::istringstream text(out.config);
    for (std::string line; std::getline(text, line);) {
        if (const auto equals = line.find(" = "); equals != std::string::npos)
            options += line.replace(equals, 3, "=") + " ";
    }
    for (const std::string& note : out.notes)
        notes += note + "|";
    return {options, notes};
}

TEST(FsUaeTranslation, EachLineBecomesItsOption)
{
    const std::string a1200 = "amiga_model=A1200 kickstart_file=internal ", rom = NativePath("/e/kick.rom"),
                      noRom = "no Kickstart ROM named: using FS-UAE's built-in replacement ROM|",
                      noVolume = "no usable filesystem= line: the emulated machine has no game volume|",
                      portChosen = ": FS-UAE chooses the joystick for port 1 itself|";
    const struct {
        std::string lines;
        bool romExists;
        std::string options, notes;
    } cases[] = {
        {"chipset=ocs\r\nfilesystem=rw\r\n", false, "amiga_model=A500 kickstart_file=internal ",
         noRom + noVolume},
        {"chipset=ecs_agnus\r\nkickstart_rom_file=\r\nfilesystem=rw,0:\r\n", true, a1200,
         "chipset=ecs_agnus is not known here; using an AGA machine (A1200)|" + noRom + noVolume},
        {"kickstart_rom_file=kick.rom\r\njoyport1=joy0\r\nfilesystem=rw,:x\r\n", false, a1200,
         "Kickstart ROM " + rom + " not found or not a ROM image: using FS-UAE's built-in replacement ROM|" +
             noVolume + "joyport1=joy0" + portChosen},
        {"chipset=aga\r\nkickstart_rom_file=kick.rom\r\nfilesystem=rw,0:/c/akir\r\nwin32.map_drives=true\r\n"
         "hardfile=rw,32,1,2,512,/h.hdf\r\njoyport1=kbd2\r\ngfx_linemode=scanlines\r\nsound_output=none\r\n"
         "gfx_framerate=2\r\ncachesize=2048\r\nfs-uae.warp_mode=1\r\nfs-uae.=x\r\nfs-uae.nothing\r\n",
         true,
         "amiga_model=A1200 kickstart_file=" + rom +
             " hard_drive_0=/c/akir hard_drive_0_label=0 hard_drive_1=/cd hard_drive_1_label=C "
             "hard_drive_1_read_only=1 hard_drive_1_priority=-128 "
             "uae_hardfile=rw,32,1,2,512,/h.hdf joystick_port_1=keyboard scanlines=1 volume=0 "
             "uae_gfx_framerate=2 jit_compiler=1 uae_cachesize=2048 warp_mode=1 ",
         ""},
        {"hardfile=\r\njoyport1=joy1\r\ngfx_linemode=double\r\nsound_output=normal\r\ngfx_framerate=\r\n"
         "cachesize=0\r\nwin32.map_drives=TRUE\r\n",
         false, a1200, noRom + noVolume + "joyport1=joy1" + portChosen},
        {"filesystem=rw,cd0:C:\\G\\fron\r\nsound_output=interrupts\r\nwin32.map_drives=false\r\n", false,
         a1200 + "hard_drive_0=C:\\G\\fron hard_drive_0_label=cd0 volume=0 ", noRom},
        // Without a game volume the mapped drives are numbered from 0.
        {"win32.map_drives=true\r\njoyport1=mouse\r\n", false,
         a1200 + "hard_drive_0=/cd hard_drive_0_label=C hard_drive_0_read_only=1 hard_drive_0_priority=-128 ",
         noRom + noVolume + "joyport1=mouse is not known here; FS-UAE chooses port 1 itself|"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::pair("[fs-uae]\nbase_dir=base uaem_write_flags=0 " + c.options, c.notes),
                  Translate(c.lines, c.romExists))
            << c.lines;
    for (std::uint64_t size : {262144u, 262155u, 524288u, 524299u})
        EXPECT_TRUE(HasKickstartRomSize(size)) << size;
    for (std::uint64_t size : {524300u, 1024u, 0u})
        EXPECT_FALSE(HasKickstartRomSize(size)) << size;
}

}  // namespace
}  // namespace talvero
