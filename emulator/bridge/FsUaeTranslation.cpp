#include "emulator/bridge/FsUaeTranslation.h"

#include "emulator/bridge/CdDrives.h"
#include "emulator/standin/LaunchCheck.h"
#include "platform/AppFolder.h"
#include "platform/TextRecords.h"

#include <optional>
#include <sstream>
#include <string_view>

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

// What the translations share: the lines they read, the file they write and the notes for the log.
struct Translating {
    const FsUaeInputs& in;
    ConfigWriter config;
    std::vector<std::string> notes;
    int nextDrive = 0;  // FS-UAE's next free hard drive number

    std::optional<std::string> Value(const char* key) const { return ConfigLineValue(in.defaultUae, key); }
};

// Lines "fs-uae.<option>=<value>" go to FS-UAE as they stand.
constexpr std::string_view kPassThroughPrefix = "fs-uae.";

void Chipset(Translating& t)
{
    const auto chipset = t.Value("chipset=");
    if (chipset == "ocs") {
        t.config.Set("amiga_model", "A500");
    } else {
        t.config.Set("amiga_model", "A1200");
        if (chipset && *chipset != "aga")
            t.notes.push_back("chipset=" + *chipset + " is not known here; using an AGA machine (A1200)");
    }
}

void Kickstart(Translating& t)
{
    const auto kickstart = t.Value("kickstart_rom_file=");
    std::string rom;
    if (kickstart && !kickstart->empty())
        rom = ResolveKickstartPath(*kickstart, t.in.emulatorFolder);
    if (!rom.empty() && t.in.isKickstartRom && t.in.isKickstartRom(rom)) {
        t.config.Set("kickstart_file", rom);
    } else {
        t.config.Set("kickstart_file", "internal");
        t.notes.push_back(rom.empty()
                              ? "no Kickstart ROM named: using FS-UAE's built-in replacement ROM"
                              : "Kickstart ROM " + rom +
                                    " not found or not a ROM image: using FS-UAE's built-in replacement ROM");
    }
}

void GameVolume(Translating& t)
{
    const auto filesystem = t.Value("filesystem=");
    const auto parts = filesystem ? ParseFilesystemValue(*filesystem) : std::nullopt;
    if (parts && !parts->volume.empty() && !parts->folder.empty()) {
        t.config.Set("hard_drive_0", parts->folder);
        t.config.Set("hard_drive_0_label", parts->volume);
        t.nextDrive = 1;
    } else {
        t.notes.push_back("no usable filesystem= line: the emulated machine has no game volume");
    }
}

void MappedDrives(Translating& t)
{
    if (t.Value("win32.map_drives=") != "true")
        return;
    for (const auto& [letter, root] : CdDrivesOnly(t.in.drives)) {
        const std::string n = std::to_string(t.nextDrive++);
        t.config.Set("hard_drive_" + n, root);
        t.config.Set("hard_drive_" + n + "_label", std::string(1, letter));
        t.config.Set("hard_drive_" + n + "_read_only", "1");
        // Only the game's volume boots.
        t.config.Set("hard_drive_" + n + "_priority", "-128");
    }
}

void Hardfile(Translating& t)
{
    if (const auto hardfile = t.Value("hardfile="); hardfile && !hardfile->empty()) {
        // The core's own hard-file syntax keeps the geometry: access,sectors,surfaces,reserved,block
        // size,file.
        t.config.Set("uae_hardfile", *hardfile);
    }
}

void Joyport(Translating& t)
{
    const auto joyport = t.Value("joyport1=");
    if (joyport == "kbd2") {
        t.config.Set("joystick_port_1", "keyboard");
    } else if (joyport == "joy0" || joyport == "joy1") {
        // FS-UAE names joysticks by device; left to itself it takes the first one it finds and
        // falls back to the keyboard.
        t.notes.push_back("joyport1=" + *joyport + ": FS-UAE chooses the joystick for port 1 itself");
    } else if (joyport) {
        t.notes.push_back("joyport1=" + *joyport + " is not known here; FS-UAE chooses port 1 itself");
    }
}

void Scanlines(Translating& t)
{
    if (t.Value("gfx_linemode=") == "scanlines")
        t.config.Set("scanlines", "1");
}

void Sound(Translating& t)
{
    if (const auto sound = t.Value("sound_output="); sound == "none" || sound == "interrupts")
        t.config.Set("volume", "0");
}

void Framerate(Translating& t)
{
    if (const auto framerate = t.Value("gfx_framerate="); framerate && !framerate->empty())
        t.config.Set("uae_gfx_framerate", *framerate);
}

void JitCache(Translating& t)
{
    if (const auto cache = t.Value("cachesize="); cache && !cache->empty() && *cache != "0") {
        t.config.Set("jit_compiler", "1");
        t.config.Set("uae_cachesize", *cache);
    }
}

void PassedThrough(Translating& t)
{
    for (const std::string& line : SplitRecords(t.in.defaultUae)) {
        if (line.rfind(kPassThroughPrefix, 0) != 0)
            continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == kPassThroughPrefix.size())
            continue;
        t.config.Set(line.substr(kPassThroughPrefix.size(), equals - kPassThroughPrefix.size()),
                     line.substr(equals + 1));
    }
}

// The translations in the order their lines appear in the FS-UAE file.
constexpr void (*kTranslations[])(Translating&) = {
    Chipset,   Kickstart, GameVolume, MappedDrives, Hardfile,      Joyport,
    Scanlines, Sound,     Framerate,  JitCache,     PassedThrough,
};

}  // namespace

bool HasKickstartRomSize(std::uint64_t size)
{
    return size == 262144 || size == 524288 || size == 262144 + 11 || size == 524288 + 11;
}

FsUaeTranslation TranslateToFsUae(const FsUaeInputs& in)
{
    Translating t{in, {}, {}, 0};
    t.config.Section("fs-uae");
    t.config.Comment(
        "Written by Talvero's emulator bridge from Configurations/Default.uae; rewritten on every start.");
    t.config.Set("base_dir", in.baseDir);
    // Files the game saves stay plain files, without metadata files beside them.
    t.config.Set("uaem_write_flags", "0");
    for (const auto translate : kTranslations)
        translate(t);
    return {t.config.Text(), std::move(t.notes)};
}

}  // namespace talvero
