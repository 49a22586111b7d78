#pragma once

#include "app/StartGame.h"

class QWidget;

namespace talvero {

/// Loads the options dialog without showing it and reads its drive field and sound box.
InstallerOptions LoadOptionsHidden();

/// Start game for the main window's selection and switches, its copies shown in a progress
/// dialog over `window`.
void StartGameFromWindow(const std::string& title, const Switches& switches, QWidget* window = nullptr);

}  // namespace talvero
