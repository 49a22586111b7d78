#pragma once

#include "emulator/standin/LaunchCheck.h"

namespace talvero {

/// Shows the launch summary in a small window when a display is there; returns at once
/// otherwise (offscreen, no display, or a build without windows).
void ShowSummaryWhereDisplayed(int argc, char** argv, const LaunchReport& report);

/// A message box with the text when a display is there; nothing otherwise.
void ShowNoticeWhereDisplayed(int argc, char** argv, const std::string& title, const std::string& text);

}  // namespace talvero
