#include "emulator/standin/LaunchCheck.h"

#include "emulator/ConfigEditor.h"
#include "emulator/KickstartPath.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/TextRecords.h"

namespace talvero {

namespace {

const char* const kReliedOnKeys[] = {
    "filesystem=",          "kickstart_rom_file=", "joyport1=",    "chipset=",
    "gfx_framerate=",       "cachesize=",          "hardfile=",    "win32.map_drives=",
    "gfx_immediate_blits=", "sound_output=",       "gfx_linemode="};

CheckResult CheckVolume(const std::optional<std::string>& filesystem, std::string& folder)
{
    CheckResult check{"filesystem", false, ""};
    if (!filesystem) {
        check.detail = "no filesystem= line";
        return check;
    }
    const auto parts = ParseFilesystemValue(*filesystem);
    if (!parts) {
        check.detail = "malformed: " + *filesystem;
        return check;
    }
    folder = parts->folder;
    check.passed = FolderExists(folder);
    check.detail = "volume " + parts->volume + " at " + folder + (check.passed ? "" : " (folder missing)");
    return check;
}

}  // namespace

std::optional<FilesystemValue> ParseFilesystemValue(const std::string& value)
{
    const auto comma = value.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    const auto colon = value.find(':', comma + 1);
    if (colon == std::string::npos)
        return std::nullopt;
    return FilesystemValue{value.substr(comma + 1, colon - comma - 1), value.substr(colon + 1)};
}

bool LaunchReport::AllPassed() const
{
    for (const CheckResult& check : checks) {
        if (!check.passed)
            return false;
    }
    return true;
}

std::string LaunchReport::Record() const
{
    std::string record = "=== launch " + time + " ===\n";
    record += "executable: " + executable + "\n";
    record += "arguments:";
    if (arguments.empty())
        record += " (none)";
    for (const std::string& argument : arguments)
        record += " " + argument;
    record += "\n";
    for (const auto& [key, value] : lines)
        record += "line: " + key + value + "\n";
    for (const CheckResult& check : checks)
        record +=
            "check " + check.name + ": " + (check.passed ? "ok" : "FAILED") + " - " + check.detail + "\n";
    record += std::string("result: ") + (AllPassed() ? "ok" : "FAILED") + "\n";
    return record;
}

LaunchReport CheckLaunch(const std::string& configContent, const std::string& emulatorFolder)
{
    LaunchReport report;
    for (const char* key : kReliedOnKeys) {
        if (const auto value = ConfigLineValue(configContent, key))
            report.lines[key] = *value;
    }

    std::string folder;
    const auto filesystem = ConfigLineValue(configContent, "filesystem=");
    report.checks.push_back(CheckVolume(filesystem, folder));

    // The game's own volume (0) boots from its startup-sequence; a CD volume boots the CD itself.
    const bool bootsFromVolume = filesystem && filesystem->find(",0:") != std::string::npos;
    if (bootsFromVolume) {
        const std::string script = JoinPath(JoinPath(folder, "s"), "startup-sequence");
        const bool present = FileExists(script);
        report.checks.push_back({"startup-sequence", present, present ? script : script + " missing"});
        if (present)
            report.bootScript = ReadFileBytes(script);
    }

    const auto kickstart = ConfigLineValue(configContent, "kickstart_rom_file=");
    if (!kickstart || kickstart->empty()) {
        report.checks.push_back({"kickstart", false, "no Kickstart ROM named"});
    } else {
        const std::string rom = ResolveKickstartPath(*kickstart, emulatorFolder);
        const bool present = FileExists(rom);
        report.checks.push_back({"kickstart", present, present ? rom : rom + " missing"});
    }

    const auto joyport = ConfigLineValue(configContent, "joyport1=");
    const bool knownPort = joyport && (*joyport == "kbd2" || *joyport == "joy0" || *joyport == "joy1");
    report.checks.push_back({"joyport1", knownPort, joyport ? *joyport : "no joyport1= line"});

    const auto hardfile = ConfigLineValue(configContent, "hardfile=");
    if (hardfile && !hardfile->empty()) {
        const auto lastComma = hardfile->find(',', hardfile->find("512"));
        const std::string image =
            lastComma == std::string::npos ? *hardfile : hardfile->substr(lastComma + 1);
        const bool present = FileExists(image);
        report.checks.push_back({"hardfile", present, present ? image : image + " missing"});
    }
    return report;
}

}  // namespace talvero
