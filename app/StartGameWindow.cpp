#include "app/StartGameWindow.h"

#include "app/CdImageChoice.h"
#include "app/StartGameProgress.h"
#include "config/frmOptions.h"

namespace talvero {

InstallerOptions LoadOptionsHidden()
{
    frmOptions options(nullptr);
    return {options.DriveText().toStdString(), options.SoundEmulation(), InsertedCdImage()};
}

void StartGameFromWindow(const std::string& title, const Switches& switches, QWidget* window)
{
    StartGameProgress progress(window);
    StartGame(title, switches, LoadOptionsHidden, &progress);
}

}  // namespace talvero
