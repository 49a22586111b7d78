#pragma once

class QWidget;

namespace talvero {

inline constexpr int kWatchdogInterval = 3000;

/// The help windows' timer tick: nothing while the main window is shown; once it has gone, close
/// every window in the fixed order and end the program at once, without the shutdown sequence.
void WatchdogTick();

/// Starts a help window's watchdog timer, owned by that window.
void StartWatchdog(QWidget* helpWindow);

}  // namespace talvero
