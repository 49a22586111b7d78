#include "app/CommandLineOptions.h"

#include <algorithm>

namespace talvero {

namespace {

struct OptionRow {
    std::vector<std::string> names;
    const char* valueName;  // nullptr for an option that takes no value
    CommandLineAction action;
    std::string CommandLineRequest::*value;
    const char* description;
};

const std::vector<OptionRow>& Options()
{
    using A = CommandLineAction;
    using R = CommandLineRequest;
    static const std::vector<OptionRow> rows = {
        {{"-h", "--help", "-?", "--help-all"}, nullptr, A::ShowHelp, nullptr, "Displays help on commandline options."},
        {{"-v", "--version"}, nullptr, A::ShowVersion, nullptr, "Displays version information."},
        {{"--app-folder"}, "DIR", A::OpenWindow, &R::appFolder,
         "Use DIR as Talvero's folder (WinUAE, Data, Cache, Previews, Talvero.dat) instead of the program's own "
         "folder or ~/.local/share/talvero."},
        {{"--demo"}, "DIR", A::OpenWindow, &R::demoFolder,
         "Lay out the demo, placeholder data for every game and a stand-in emulator, in DIR (made when "
         "missing; what a demo there already holds is kept), then use DIR as with --app-folder."},
        {{"--list"}, nullptr, A::ListGames, nullptr, "List the 30 games with their systems, one a line."},
        {{"--start"}, "TITLE", A::StartGame, &R::startTitle,
         "Start the game TITLE with the stored options, without the main window, and end once the emulator has "
         "been started. Exit status 0 when it was started, 1 otherwise."},
    };
    return rows;
}

// The one argument without an option that the program takes: its name in the usage and where it
// goes.
struct PositionalRow {
    const char* name;
    std::string CommandLineRequest::*value;
};
constexpr PositionalRow kPositional{"FILE", &CommandLineRequest::imageFile};

const OptionRow* FindOption(const std::string& name)
{
    for (const OptionRow& row : Options()) {
        if (std::find(row.names.begin(), row.names.end(), name) != row.names.end())
            return &row;
    }
    return nullptr;
}

// Words laid into lines of at most `width` characters, each after the first indented.
std::string Wrapped(const std::string& words, std::size_t indent, std::size_t width)
{
    std::string text;
    std::size_t column = indent;
    std::size_t start = 0;
    while (start < words.size()) {
        const std::size_t end = std::min(words.find(' ', start), words.size());
        const std::string word = words.substr(start, end - start);
        if (column > indent && column + 1 + word.size() > width) {
            text += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (column > indent) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
        start = end + 1;
    }
    return text;
}

bool LooksLikeOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

CommandLineRequest Refused(std::string error)
{
    CommandLineRequest request;
    request.action = CommandLineAction::Refuse;
    request.error = std::move(error);
    return request;
}

}  // namespace

CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLineRequest request;
    bool positionalTaken = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !LooksLikeOption(argument)) {
            if (positionalTaken)
                return Refused(std::string("only one ") + kPositional.name + " can be given: " + argument);
            request.*(kPositional.value) = argument;
            positionalTaken = true;
            continue;
        }
        const auto equals = argument.find('=');
        const bool joined = argument.starts_with("--") && equals != std::string::npos;
        const std::string name = joined ? argument.substr(0, equals) : argument;
        const OptionRow* row = FindOption(name);
        if (!row)
            return Refused("unknown option: " + name);
        if (row->value) {
            std::string value;
            if (joined) {
                value = argument.substr(equals + 1);
            } else if (i + 1 == arguments.size()) {
                return Refused("option " + name + " needs a value: " + name + " " + row->valueName);
            } else if (LooksLikeOption(arguments[i + 1])) {
                return Refused("option " + name + " needs a value (" + row->valueName + "), not the option " +
                               arguments[i + 1]);
            } else {
                value = arguments[++i];
            }
            request.*(row->value) = value;
        } else if (joined) {
            return Refused("option " + name + " takes no value");
        }
        request.action = std::max(request.action, row->action);
    }
    if (!request.demoFolder.empty() && !request.appFolder.empty())
        return Refused("--demo and --app-folder both choose Talvero's folder: give one of them");
    // An image goes into the window's drive; a game start or the list has no window.
    if (!request.imageFile.empty() &&
        (request.action == CommandLineAction::StartGame || request.action == CommandLineAction::ListGames))
        return Refused("a CD image (" + request.imageFile + ") opens with the window only, not with --start or --list");
    return request;
}

std::string UsageText()
{
    std::string text = std::string("Usage: talvero [options] [") + kPositional.name + "]\n";
    text += "Starts Amiga CD32 and CDTV games, each from its own CD, in an Amiga emulator.\n"
            "With --start, the exit status is 0 when the emulator was started, 1 otherwise.\n\n"
            "Options:\n";
    for (const OptionRow& row : Options()) {
        // Qt's spellings of help (-?, --help-all) are accepted but not listed.
        std::string names = row.names[0];
        if (row.names.size() > 1)
            names += ", " + row.names[1];
        if (row.valueName)
            names += std::string(" ") + row.valueName;
        text += "  " + names + std::string(names.size() < 18 ? 18 - names.size() : 1, ' ') +
                Wrapped(row.description, 20, 79) + "\n";
    }
    text += std::string("\nArguments:\n  ") + kPositional.name + "              " +
            Wrapped("A CD image (.iso, .cue, .nrg) to insert, as Extras > Insert CD image does.", 20, 79) + "\n";
    return text;
}

}  // namespace talvero
