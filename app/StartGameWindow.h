#pragma once

#include "app/StartGame.h"

namespace talvero {

/// Loads the options dialog without showing it and reads its drive field and sound box.
InstallerOptions LoadOptionsHidden();

/// Start game for the main window's selection and switches.
void StartGameFromWindow(const std::string& title, const Switches& switches);

}  // namespace talvero
