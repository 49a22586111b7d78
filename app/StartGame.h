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

/// Loads the options dialog hidden and hands over its drive field and sound-emulation box.
using OptionsLoader = std::function<InstallerOptions()>;

/// Start game: asks first when the emulator started last still runs, writes the configuration
/// lines every start needs, checks that the title's CD is in the drive, and hands over to the
/// game's installer, which reports its copies to `progress`. Each step goes to the log.
void StartGame(const std::string& title, const Switches& switches, const OptionsLoader& loadOptions,
               InstallProgress* progress = nullptr);

/// The message that asks for the game's CD.
std::string InsertCdMessage(const std::string& title);

}  // namespace talvero
