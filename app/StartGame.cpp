#include "app/StartGame.h"

#include "app/CdImageChoice.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "platform/ActivityLog.h"
#include "platform/FileError.h"
#include "platform/Host.h"
#include "platform/cdimage/CdImage.h"
#include "platform/cdimage/CdRoot.h"
#include "settings/SettingsStore.h"

#include <exception>
#include <utility>
#include <vector>

namespace talvero {

namespace {

void WriteStartLines(const Switches& switches, bool soundEmulation)
{
    std::vector<ConfigLine> lines = {{"gfx_framerate=", switches.frameskip ? "2" : "1"},
                                     {"cachesize=", switches.jitCompiler ? "2048" : "0"},
                                     {"chipset=", "aga"},
                                     {"gfx_immediate_blits=", "false"},
                                     {"hardfile=", ""},
                                     {"win32.map_drives=", "true"}};
    if (soundEmulation)
        lines.push_back({"sound_output=", "normal"});
    SetConfigValues(lines);
}

}  // namespace

Switches StoredSwitches()
{
    Switches switches;
    for (auto [value, key] : {std::pair{&switches.frameskip, SettingKey::Frameskip},
                              std::pair{&switches.jitCompiler, SettingKey::JITComp}}) {
        try {
            if (const auto on = Settings().ReadBool(key, *value))
                *value = *on;
        } catch (const std::exception&) {}
    }
    return switches;
}

std::string InsertCdMessage(const std::string& title)
{
    return "Please insert the \"" + title + "\"-CD first!";
}

void StartGame(const std::string& title, const Switches& switches, const OptionsLoader& loadOptions,
               InstallProgress* progress)
{
    LogLine("Start game \"" + title + "\"");
    if (const auto problem = AppFolderUnusableByEmulator()) {
        LogLine("nothing started: the emulator cannot be given the folder's name");
        ShowMessage(*problem, MessageIcon::Exclamation);
        return;
    }
    // Two emulators on one cache would write the same save data.
    if (EmulatorStillRunning() && !AskYesNo(kMessageEmulatorStillRunning)) {
        LogLine("the emulator started before still runs; nothing started");
        return;
    }
    const InstallerOptions options = loadOptions();
    const std::string drive = options.driveField.substr(0, 2);
    try {
        WriteStartLines(switches, options.soundEmulation);
    } catch (const FileError& error) {
        // The CD is not the problem here: say what really failed, as the installers do, and keep
        // the program running.
        LogLine("writing the configuration failed with error " + ToText(error.number()) + ": " +
                error.path() + ": " + error.reason());
        ShowMessage(KnownFileErrorMessage(error.number()).value_or(kMessageErrorWritingFile),
                    MessageIcon::Critical, kApplicationTitle, error.Details());
        return;
    }

    const GameProfile* profile = FindProfile(title);
    if (!profile)
        return;
    try {
        CdRoot::Open(drive, options.insertedImage).CheckFile(profile->identityFile);
    } catch (const CdImageError& error) {
        LogLine(std::string("the CD image cannot be used: ") + error.what());
        ShowMessage(error.what(), MessageIcon::Exclamation);
        return;
    } catch (const FileError& error) {
        LogLine("the game's CD was not found: " + error.path() + ": " + error.reason());
        // An inserted image stands for the drive: say so, or the right disc in it puzzles.
        const std::string details =
            options.insertedImage.empty()
                ? error.Details()
                : LookedForInImageNote(options.insertedImage, drive) + "\n\n" + error.Details();
        ShowMessage(InsertCdMessage(title), MessageIcon::Exclamation, kApplicationTitle, details);
        return;
    }
    InstallGame(title, loadOptions(), progress);
}

}  // namespace talvero
