#pragma once

#include <string>
#include <vector>

// The program's command line, read before anything needs a display: what to do, and the values
// given with the options.
namespace talvero {

/// What the command line asks for. When several are given, the later one here wins (help over
/// everything, a game start over the window).
enum class CommandLineAction { OpenWindow, StartGame, ListGames, ShowVersion, ShowHelp, Refuse };

struct CommandLineRequest {
    CommandLineAction action = CommandLineAction::OpenWindow;
    std::string appFolder;  ///< --app-folder DIR, empty when not given
    std::string demoFolder; ///< --demo DIR: lay out the demo there, then use it as --app-folder
    std::string startTitle; ///< --start TITLE
    std::string imageFile;  ///< FILE: a CD image to insert when the window opens
    std::string error;      ///< when refused: one line saying what is wrong
};

/// Reads the arguments after the program's name. An unknown option, an option without its value,
/// an option given as another option's value ("--start -v") and an argument that is no option
/// are refused, and so are --demo and --app-folder together. "--name=value" gives a value that
/// begins with "-"; "--" ends the options.
CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments);

/// The usage and every option with its description, as --help prints it.
std::string UsageText();

}  // namespace talvero
