#include "app/CommandLine.h"

#include "app/AppFolderSetup.h"
#include "emulator/EmulatorProgram.h"
#include "games/Collation.h"
#include "games/GameProfiles.h"
#include "install/MissingFiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Host.h"

#include <algorithm>
#include <cctype>

namespace talvero {

std::string TitleListText()
{
    std::vector<std::string> listed;
    std::string text;
    for (const char* system : {"CD32", "CDTV"}) {
        std::vector<std::string> titles = TitlesOfList(system);
        std::sort(titles.begin(), titles.end(),
                  [](const std::string& a, const std::string& b) { return WordOrderLess(a, b); });
        for (const std::string& title : titles) {
            if (std::find(listed.begin(), listed.end(), title) != listed.end())
                continue;
            listed.push_back(title);
            const GameProfile& profile = *FindProfile(title);
            text += title + "\t" + (profile.InCD32() && profile.InCDTV() ? "CD32, CDTV" : system);
            // A game that cannot start yet for want of its data file is marked.
            if (const auto missing = MissingDataFile(title))
                text += "\tmissing Data/" + *missing;
            text += "\n";
        }
    }
    return text;
}

std::string UnknownTitleMessage(const std::string& title)
{
    std::string message = "Talvero knows no game titled \"" + title + "\".";
    // Titles are matched exactly; one that differs only in letter case is named.
    for (const GameProfile& profile : GameProfiles()) {
        const auto sameLetter = [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        };
        if (std::ranges::equal(profile.title, title, sameLetter))
            return message + " Did you mean \"" + profile.title + "\"?";
    }
    return message + " talvero --list names the 30 games it knows.";
}

int StartGameFromCommandLine(const std::string& title, const OptionsLoader& loadOptions)
{
    // A mistyped title changes nothing: no configuration line is written for it.
    if (!FindProfile(title)) {
        ShowMessage(UnknownTitleMessage(title), MessageIcon::Exclamation);
        return 1;
    }
    try {
        CreateFolderIfMissing(AppPath("\\Cache"));
    } catch (const std::exception& failure) {
        ReportCacheFolderNotCreated(failure);
        return 1;
    }
    return StartGame(title, StoredSwitches(), loadOptions) == StartResult::Started ? 0 : 1;
}

}  // namespace talvero
