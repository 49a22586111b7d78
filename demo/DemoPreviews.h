#pragma once

#include "demo/DemoFolder.h"

#include <string>

namespace talvero {

/// Draws a placeholder title card for a game and saves it as a JPEG file.
bool WriteTitleCard(const std::string& title, const std::string& path);

/// A title card for every game, in AppFolder\Previews.
void WriteAllTitleCards(ExistingDemoFiles existing);

}  // namespace talvero
