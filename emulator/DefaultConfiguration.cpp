#include "emulator/DefaultConfiguration.h"

namespace talvero {

std::string DefaultUaeTemplate()
{
    const char* lines[] = {
        "; Emulator configuration used by Talvero.",
        "; Talvero rewrites the lines it needs one at a time; everything else stays as it is.",
        "config_description=Talvero CD32/CDTV",
        "config_hardware=true",
        "config_host=true",
        "config_version=0.8.17",
        "use_gui=no",
        "use_debugger=false",
        "",
        "; --- ROM and machine ---",
        "kickstart_rom_file=kick31.rom",
        "kickstart_ext_rom_file=",
        "chipset=aga",
        "cpu_type=68020",
        "cpu_speed=real",
        "cpu_compatible=false",
        "cachesize=0",
        "chipmem_size=4",
        "fastmem_size=0",
        "bogomem_size=0",
        "",
        "; --- display ---",
        "gfx_width=640",
        "gfx_height=512",
        "gfx_fullscreen_amiga=false",
        "gfx_framerate=2",
        "gfx_linemode=double",
        "gfx_immediate_blits=false",
        "gfx_correct_aspect=true",
        "",
        "; --- sound ---",
        "sound_output=normal",
        "sound_channels=stereo",
        "sound_frequency=44100",
        "",
        "; --- input ---",
        "joyport0=mouse",
        "joyport1=kbd2",
        "",
        "; --- disks and drives ---",
        "floppy0=",
        "nr_floppies=0",
        "win32.map_drives=false",
        "filesystem=rw,tmp:C:\\Talvero\\Cache\\tmp",
        "hardfile=",
    };
    std::string content;
    for (const char* line : lines)
        content += std::string(line) + "\r\n";
    return content;
}

}  // namespace talvero
