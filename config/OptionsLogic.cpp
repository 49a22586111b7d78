#include "config/OptionsLogic.h"

#include "emulator/ConfigEditor.h"
#include "platform/ActivityLog.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/IgnoringFailure.h"
#include "platform/PathText.h"
#include "settings/SettingsStore.h"

#include <vector>

namespace talvero {

namespace {

// The fields lose spaces at either end; a tab stays (and makes a drive invalid).
constexpr std::string_view kFieldBlanks = " ";

// A check box's stored state: 0 or 1, any other number or text leaves the box as it is.
std::optional<bool> CheckState(std::optional<int> number)
{
    if (!number || (*number != 0 && *number != 1))
        return std::nullopt;
    return *number == 1;
}

}  // namespace

void LoadOptions(OptionsState& state)
{
    // A setting that cannot be read leaves its field as it was.
    IgnoringFailure([&] { state.drive = Settings().ReadText(SettingKey::Drive, "D:"); });
    IgnoringFailure([&] {
        const auto index = Settings().ReadInt(SettingKey::Port1, 0);
        state.port = index && *index >= 0 && *index <= 2 ? *index : -1;
    });
    IgnoringFailure([&] { state.romFile = Settings().ReadText(SettingKey::ROMfile, "kick31.rom"); });
    IgnoringFailure([&] {
        if (const auto on = CheckState(Settings().ReadInt(SettingKey::Scanlines, 0)))
            state.scanlines = *on;
    });
    IgnoringFailure([&] {
        if (const auto on = CheckState(Settings().ReadInt(SettingKey::SndEmu, 1)))
            state.soundEmulation = *on;
    });
}

OptionsState StoredOptions()
{
    OptionsState state;
    LoadOptions(state);
    return state;
}

std::string NormaliseDrive(const std::string& text)
{
    std::string drive = AsciiUpper(Trimmed(text, kFieldBlanks));
    if (drive.size() == 1)
        drive += ':';
    if (drive.size() > 2)
        drive.resize(2);
    return drive;
}

bool IsValidDrive(const std::string& normalised)
{
    return !normalised.empty() && normalised.back() == ':' && normalised.front() >= 'A' &&
           normalised.front() <= 'Z';
}

KickstartCheck CheckKickstartFile(const std::string& path)
{
    if (!FileExists(path))
        return KickstartCheck::Unchanged;
    try {
        return ReadFileRange(path, 160, 2) == "40" ? KickstartCheck::Accepted : KickstartCheck::Rejected;
    } catch (const FileError&) {
        return KickstartCheck::Unchanged;
    }
}

std::string ChooseKickstart(const std::string& current)
{
    const auto chosen =
        CurrentHost().ChooseFileToOpen({"Select Kickstart 3.1-ROM...", "Kickstart-ROM (*.rom)", "*.rom"});
    if (!chosen)
        return current;
    switch (CheckKickstartFile(*chosen)) {
    case KickstartCheck::Accepted:
        return *chosen;
    case KickstartCheck::Rejected:
        ShowMessage(kMessageInvalidKickstart, MessageIcon::Critical);
        return {};
    case KickstartCheck::Unchanged:
        break;
    }
    return current;
}

bool SaveOptions(OptionsState& state)
{
    state.romFile = Trimmed(state.romFile, kFieldBlanks);
    state.drive = NormaliseDrive(state.drive);
    if (!IsValidDrive(state.drive)) {
        ShowMessage(kMessageInvalidDrive, MessageIcon::Exclamation);
        return false;
    }
    try {
        std::vector<ConfigLine> lines = {{"kickstart_rom_file=", state.romFile}};
        if (state.port >= 0 && state.port <= 2)
            lines.push_back({"joyport1=", kControllerValues[state.port]});
        lines.push_back({"sound_output=", state.soundEmulation ? "normal" : "interrupts"});
        lines.push_back({"gfx_linemode=", state.scanlines ? "scanlines" : "double"});
        SetConfigValues(lines);
        Settings().Write(SettingKey::Drive, state.drive);
        Settings().Write(SettingKey::Port1, std::to_string(state.port));
        Settings().Write(SettingKey::ROMfile, state.romFile);
        Settings().Write(SettingKey::Scanlines, state.scanlines ? "1" : "0");
        Settings().Write(SettingKey::SndEmu, state.soundEmulation ? "1" : "0");
    } catch (const std::exception& error) {
        // One failure path: the box says the options were not saved, its details and the log say
        // why (a path the emulator's code page cannot hold, a read-only file, ...).
        LogLine("saving the options failed: " + DetailsOf(error));
        ShowMessage(kMessageOptionsNotSaved, MessageIcon::Critical, kApplicationTitle, DetailsOf(error));
        return false;
    }
    return true;
}

}  // namespace talvero
