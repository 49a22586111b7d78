#include "app/StartGame.h"

#include "app/CdImageChoice.h"
#include "config/OptionsLogic.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "platform/ActivityLog.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Host.h"
#include "platform/cdimage/CdImage.h"
#include "platform/cdimage/CdRoot.h"
#include "settings/SettingsStore.h"

#include <exception>
#include <optional>
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

InstallerOptions StoredStartOptions()
{
    const OptionsState stored = StoredOptions();
    return {stored.drive.substr(0, 2), stored.soundEmulation, InsertedCdImage()};
}

StartResult StartGame(const std::string& title, const Switches& switches, const OptionsLoader& loadOptions,
                      InstallProgress* progress)
{
    const GameProfile* profile = FindProfile(title);
    const std::string cache = profile ? CacheFolderPath(*profile) : std::string();
    LogLine("Start game \"" + title + "\"");
    if (const auto problem = AppFolderUnusableByEmulator()) {
        LogLine("nothing started: the emulator cannot be given the folder's name");
        ShowMessage(*problem, MessageIcon::Exclamation);
        return StartResult::Failed;
    }
    // Two emulators share save data only when they use the same cache.
    if (profile && EmulatorStillRunning(cache) && !AskYesNo(kMessageEmulatorStillRunning)) {
        LogLine("the emulator started before on this game's cache still runs; nothing started");
        return StartResult::Declined;
    }
    const InstallerOptions options = loadOptions();
    // Held until the emulator has started, so that no other start's lines come between ours; let go
    // before a message waits for the user.
    std::optional<ConfigurationTurn> turn;
    try {
        turn.emplace();
        WriteStartLines(switches, options.soundEmulation);
    } catch (const FileError& error) {
        turn.reset();
        // The CD is not the problem here: say what really failed, as the installers do, and keep
        // the program running.
        LogLine("writing the configuration failed with error " + ToText(error.number()) + ": " +
                error.path() + ": " + error.reason());
        ShowMessage(KnownFileErrorMessage(error.number()).value_or(kMessageErrorWritingFile),
                    MessageIcon::Critical, kApplicationTitle, error.Details());
        return StartResult::Failed;
    }
    if (!profile)
        return StartResult::NoSuchGame;

    // The disc does not change during a start: each of its folders is listed once.
    const DriveListingCache listing;
    std::optional<CdRoot> cd;
    try {
        cd = CdRoot::Open(options.drive, options.insertedImage);
        cd->CheckFile(profile->identityFile);
    } catch (const CdImageError& error) {
        turn.reset();
        LogLine(std::string("the CD image cannot be used: ") + error.what());
        ShowMessage(error.what(), MessageIcon::Exclamation);
        return StartResult::CdMissing;
    } catch (const FileError& error) {
        turn.reset();
        const std::string message = InsertCdMessage(title);
        LogLine("the game's CD was not found: " + error.path() + ": " + error.reason());
        // An inserted image stands for the drive: say so, or the right disc in it puzzles.
        const std::string details =
            options.insertedImage.empty()
                ? error.Details()
                : LookedForInImageNote(options.insertedImage, options.drive) + "\n\n" + error.Details();
        ShowMessage(message, MessageIcon::Exclamation, kApplicationTitle, details);
        return StartResult::CdMissing;
    }
    bool started = false;
    switch (RunReportingFailures([&] {
        InstallGame(*profile, cache, *cd, options, progress);
        StopIfCancelled(progress, title);
        started = StartEmulator(profile->executable, cache, &*turn);
    })) {
    case InstallResult::Cancelled:
        return StartResult::Cancelled;
    case InstallResult::Failed:
        return StartResult::Failed;
    case InstallResult::ProgramEnded:
        return StartResult::ProgramEnded;
    case InstallResult::Done:
        break;
    }
    if (!started) {
        LogLine("the emulator " + profile->executable + " cannot run here; nothing started");
        return StartResult::Failed;
    }
    LogLine("started the emulator " + profile->executable);
    return StartResult::Started;
}

}  // namespace talvero
