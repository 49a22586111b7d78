#include "app/StartGameWindow.h"

#include "config/frmOptions.h"

namespace talvero {

InstallerOptions LoadOptionsHidden()
{
    frmOptions options(nullptr);
    return {options.DriveText().toStdString(), options.SoundEmulation()};
}

void StartGameFromWindow(const std::string& title, const Switches& switches)
{
    StartGame(title, switches, LoadOptionsHidden);
}

}  // namespace talvero
