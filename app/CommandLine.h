#pragma once

#include "app/StartGame.h"

#include <string>

// What the command line does besides opening the main window.
namespace talvero {

/// The 30 titles, one a line, in the order of the CD32 list and then the CDTV list, each followed
/// by a tab and the systems whose list holds it ("Defender of the Crown 2\tCD32, CDTV"), and by
/// a tab and "missing Data/<title>.dat" when the AppFolder lacks the game's data file.
std::string TitleListText();

/// Start game for one title with the stored switches and options, as the main window's button
/// does, with the same messages. Returns the program's exit status: 0 when an emulator was
/// started, 1 otherwise.
int StartGameFromCommandLine(const std::string& title, const OptionsLoader& loadOptions);

std::string UnknownTitleMessage(const std::string& title);

}  // namespace talvero
