#pragma once

#include "app/StartGame.h"

class QWidget;

namespace talvero {

/// Start game for the main window's selection and switches, its copies shown in a progress
/// dialog over `window`.
StartResult StartGameFromWindow(const std::string& title, const Switches& switches, QWidget* window = nullptr);

}  // namespace talvero
