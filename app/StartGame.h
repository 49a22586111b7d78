#pragma once

#include "install/Installer.h"

#include <functional>
#include <string>

namespace talvero {

/// The main window's two switches.
struct Switches {
    bool frameskip = true;
    bool jitCompiler = false;
};

/// The switches as the main window reads them at start-up: a stored value that cannot be read or
/// converted keeps its default.
Switches StoredSwitches();

/// Shown when AppFolder\Cache is missing and cannot be created.
inline constexpr const char* kMessageCacheFolderNotCreated = "Error creating the cache directory.";

/// Reads what Start game takes from the options: the drive, the sound-emulation box, the image.
using OptionsLoader = std::function<InstallerOptions()>;

/// The options as the options dialog loads them (the drive: the first two characters of its
/// drive field), with the inserted CD image.
InstallerOptions StoredStartOptions();

/// What a Start game came to.
enum class StartResult {
    Started,       ///< the emulator was started
    Cancelled,     ///< the user stopped the install
    Declined,      ///< the user did not want a second emulator on the game's cache
    CdMissing,     ///< the game's CD was not found (or the inserted image cannot be used)
    Failed,        ///< a message said which file failed, or why the emulator cannot run here
    ProgramEnded,  ///< an unknown error: its message was shown and the program asked to end
    NoSuchGame,    ///< the title is no game's (nothing selected): only the start's lines were written
};

/// Start game: asks first when an emulator still runs on the game's cache, writes the
/// configuration lines every start needs, checks that the title's CD is in the drive, has the
/// game's installer build its cache (reporting its copies to `progress`) and starts the emulator.
/// From the first line to the emulator's start no other start changes the configuration file.
/// Each step goes to the log.
StartResult StartGame(const std::string& title, const Switches& switches, const OptionsLoader& loadOptions,
                      InstallProgress* progress = nullptr);

/// The message that asks for the game's CD.
std::string InsertCdMessage(const std::string& title);

}  // namespace talvero
