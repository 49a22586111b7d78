#pragma once

#include <QPointer>
#include <QWidget>

namespace talvero {

/// The program's windows, so that the shutdown sequence and the help windows' watchdog can close
/// them in their fixed order.
struct OpenWindows {
    QPointer<QWidget> compatibility;
    QPointer<QWidget> joypadHelp;
    QPointer<QWidget> main;
    QPointer<QWidget> nvram;
    QPointer<QWidget> options;
};

OpenWindows& Windows();

/// Closes the windows in this order, each only if open: compatibility chart, joypad help, main
/// window, NVRAM manager, options dialog.
void CloseWindowsInOrder();

/// True while the main window exists and is shown.
bool MainWindowShown();

/// Shows a help window: the open one again, or a new one without owner that unloads on close.
template <typename Window>
void ShowHelpWindow(QPointer<QWidget>& slot)
{
    if (!slot) {
        auto* window = new Window();
        window->setAttribute(Qt::WA_DeleteOnClose);
        slot = window;
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}

}  // namespace talvero
