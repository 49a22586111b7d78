#include "app/StartGameWindow.h"

#include "app/StartGameProgress.h"

namespace talvero {

StartResult StartGameFromWindow(const std::string& title, const Switches& switches, QWidget* window)
{
    StartGameProgress progress(window);
    return StartGame(title, switches, StoredStartOptions, &progress);
}

}  // namespace talvero
