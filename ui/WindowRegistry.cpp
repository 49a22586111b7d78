#include "ui/WindowRegistry.h"

namespace talvero {

OpenWindows& Windows()
{
    static OpenWindows windows;
    return windows;
}

void CloseWindowsInOrder()
{
    OpenWindows& w = Windows();
    for (QPointer<QWidget>* window : {&w.compatibility, &w.joypadHelp, &w.main, &w.nvram, &w.options}) {
        if (*window)
            (*window)->close();
    }
}

bool MainWindowShown()
{
    return Windows().main && Windows().main->isVisible();
}

}  // namespace talvero
