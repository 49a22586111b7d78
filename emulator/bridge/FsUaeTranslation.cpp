#include "emulator/bridge/FsUaeTranslation.h"

#include "emulator/bridge/CdDrives.h"
#include "emulator/standin/LaunchCheck.h"
#include "platform/AppFolder.h"
#include "platform/TextRecords.h"

#include <sstream>

namespace talvero {

namespace {

class ConfigWriter {
public:
    void Set(const std::string& key, const std::string& value) { m_text << key << " = " << value << "\n"; }
    void Comment(const std::string& text) { m_text << "# " << text << "\n"; }
    void Section(const std::string& name) { m_text << "[" << name << "]\n"; }
    std::string Text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
};

}  // namespace

bool HasKickstartRomSize(std::uint64_t size)
{
    return size == 262144 || size == 524288 || size == 262144 + 11 || size == 524288 + 11;
}

FsUaeTranslation TranslateToFsUae(const FsUaeInputs& in)
{
    FsUaeTranslation out;
    ConfigWriter config;
    const auto value = [&](const char* key) { return ConfigLineValue(in.defaultUae, key); };
    config.Section("fs-uae");
    config.Comment(
        "Written by Talvero's emulator bridge from Configurations/Default.uae; rewritten on every start.");
    config.Set("base_dir", in.baseDir);
    // Files the game saves stay plain files, without metadata files beside them.
    config.Set("uaem_write_flags", "0");

    const auto chipset = value("chipset=");
    if (chipset == "ocs") {
        config.Set("amiga_model", "A500");
    } else {
        config.Set("amiga_model", "A1200");
        if (chipset && *chipset != "aga")
            out.notes.push_back("chipset=" + *chipset + " is not known here; using an AGA machine (A1200)");
    }

    const auto kickstart = value("kickstart_rom_file=");
    std::string rom;
    if (kickstart && !kickstart->empty())
        rom = ResolveKickstartPath(*kickstart, in.emulatorFolder);
    if (!rom.empty() && in.isKickstartRom && in.isKickstartRom(rom)) {
        config.Set("kickstart_file", rom);
    } else {
        config.Set("kickstart_file", "internal");
        out.notes.push_back(
            rom.empty() ? "no Kickstart ROM named: using FS-UAE's built-in replacement ROM"
                        : "Kickstart ROM " + rom +
                              " not found or not a ROM image: using FS-UAE's built-in replacement ROM");
    }

    int drive = 0;
    const auto filesystem = value("filesystem=");
    const auto parts = filesystem ? ParseFilesystemValue(*filesystem) : std::nullopt;
    if (parts && !parts->volume.empty() && !parts->folder.empty()) {
        config.Set("hard_drive_0", parts->folder);
        config.Set("hard_drive_0_label", parts->volume);
        drive = 1;
    } else {
        out.notes.push_back("no usable filesystem= line: the emulated machine has no game volume");
    }

    if (value("win32.map_drives=") == "true") {
        for (const auto& [letter, root] : CdDrivesOnly(in.drives)) {
            const std::string n = std::to_string(drive++);
            config.Set("hard_drive_" + n, root);
            config.Set("hard_drive_" + n + "_label", std::string(1, letter));
            config.Set("hard_drive_" + n + "_read_only", "1");
            // Only the game's volume boots.
            config.Set("hard_drive_" + n + "_priority", "-128");
        }
    }

    if (const auto hardfile = value("hardfile="); hardfile && !hardfile->empty()) {
        // The core's own hard-file syntax keeps the geometry: access,sectors,surfaces,reserved,block
        // size,file.
        config.Set("uae_hardfile", *hardfile);
    }

    const auto joyport = value("joyport1=");
    if (joyport == "kbd2") {
        config.Set("joystick_port_1", "keyboard");
    } else if (joyport == "joy0" || joyport == "joy1") {
        // FS-UAE names joysticks by device; left to itself it takes the first one it finds and
        // falls back to the keyboard.
        out.notes.push_back("joyport1=" + *joyport + ": FS-UAE chooses the joystick for port 1 itself");
    } else if (joyport) {
        out.notes.push_back("joyport1=" + *joyport + " is not known here; FS-UAE chooses port 1 itself");
    }

    if (value("gfx_linemode=") == "scanlines")
        config.Set("scanlines", "1");

    if (const auto sound = value("sound_output="); sound == "none" || sound == "interrupts")
        config.Set("volume", "0");

    if (const auto framerate = value("gfx_framerate="); framerate && !framerate->empty())
        config.Set("uae_gfx_framerate", *framerate);
    if (const auto cache = value("cachesize="); cache && !cache->empty() && *cache != "0") {
        config.Set("jit_compiler", "1");
        config.Set("uae_cachesize", *cache);
    }

    // Lines "fs-uae.<option>=<value>" go to FS-UAE as they stand.
    for (const std::string& line : SplitRecords(in.defaultUae)) {
        if (line.rfind("fs-uae.", 0) != 0)
            continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 7)
            continue;
        config.Set(line.substr(7, equals - 7), line.substr(equals + 1));
    }

    out.config = config.Text();
    return out;
}

}  // namespace talvero
