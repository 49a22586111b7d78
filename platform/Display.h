#pragma once

// Whether the program can show windows at all, asked before the window system is opened (which
// otherwise ends the program when there is none).
namespace talvero {

/// On Linux: a display is named (DISPLAY, WAYLAND_DISPLAY) or Qt is told which platform to use
/// (QT_QPA_PLATFORM). Always true on Windows.
bool WindowSystemAvailable();

}  // namespace talvero
