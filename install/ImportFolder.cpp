#include "install/ImportFolder.h"

#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "emulator/KickstartPath.h"
#include "games/GameProfiles.h"
#include "install/MissingFiles.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/Installation.h"
#include "platform/PathText.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <optional>

namespace talvero {

namespace {

std::optional<std::string> ReadIfThere(const std::string& path)
{
    try {
        if (FileExists(path))
            return ReadFileBytes(path);
    } catch (const FileError&) {
    }
    return std::nullopt;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The files of one folder with one extension ("Data", ".dat"), each under the name of the game
// it belongs to when there is one.
void AddGameFiles(std::vector<ImportItem>& items, const std::string& otherFolder, const char* folder,
                  const std::string& extension)
{
    const std::string from = PathBelow(otherFolder, folder);
    const std::size_t first = items.size();
    for (const std::string& name : FileNamesIn(from)) {
        if (!EndsWith(AsciiLower(name), extension))
            continue;
        std::string target = name;
        for (const GameProfile& profile : GameProfiles()) {
            if (AsciiLower(profile.title + extension) == AsciiLower(name))
                target = profile.title + extension;
        }
        items.push_back({std::string(folder) + "/" + target, JoinPath(from, name),
                         AppPath("\\" + std::string(folder) + "\\" + target)});
    }
    // In the order of the names they get, as the messages list them.
    std::sort(items.begin() + static_cast<std::ptrdiff_t>(first), items.end(),
              [](const ImportItem& a, const ImportItem& b) { return a.shownName < b.shownName; });
}

// The ROM a "kickstart_rom_file=" value or the ROMfile setting names, found in the other
// folder's emulator folder when relative.
std::optional<std::string> FindRom(const std::string& value, const std::string& otherEmulatorFolder)
{
    if (value.empty())
        return std::nullopt;
    const std::string path = ResolveKickstartPath(value, otherEmulatorFolder);
    return FileExists(path) ? std::optional(path) : std::nullopt;
}

void AddKickstartRom(std::vector<ImportItem>& items, const std::string& otherEmulatorFolder,
                     const std::optional<std::string>& otherConfig, const std::optional<std::string>& ownConfig)
{
    // The ROM goes where the configuration that will be used (the AppFolder's own, else the one
    // taken along) looks for it; an absolute name there is the user's own place, left alone.
    const std::optional<std::string>& used = ownConfig ? ownConfig : otherConfig;
    const std::string named =
        used ? ConfigLineValue(*used, "kickstart_rom_file=").value_or("") : std::string("kick31.rom");
    if (named.empty() || IsAbsolutePath(named))
        return;
    std::optional<std::string> rom;
    if (otherConfig)
        rom = FindRom(ConfigLineValue(*otherConfig, "kickstart_rom_file=").value_or(""), otherEmulatorFolder);
    if (!rom) {
        std::string setting;
        try {
            setting = Settings().ReadText(SettingKey::ROMfile, "");
        } catch (const std::exception&) {
            // Unreadable settings name no ROM.
        }
        rom = FindRom(setting, otherEmulatorFolder);
    }
    if (!rom)
        return;
    std::string shown = named;
    for (char& c : shown)
        c = c == '\\' ? '/' : c;
    items.push_back({"WinUAE/" + shown, *rom, PathBelow(AppPath(kEmulatorFolder), named)});
}

std::string JoinedNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string StillMissingText(const MissingFiles& missing)
{
    std::string text;
    const auto add = [&](const std::string& what) { text += "  - " + what + "\n"; };
    if (!missing.dataFiles.empty())
        add("the data files of " + std::to_string(missing.dataFiles.size()) + " games: " +
            JoinedNames(missing.dataFiles));
    if (missing.supportPack)
        add("the support-file pack Talvero.dat");
    if (missing.kickstartRom)
        add("the Kickstart 3.1 ROM" + (missing.kickstartRom->empty() ? "" : " " + *missing.kickstartRom));
    for (const std::string& program : missing.emulatorPrograms)
        add("the emulator program " + program);
    if (missing.fsUae)
        add("FS-UAE, the Amiga emulator (Debian: apt-get install fs-uae)");
    return text;
}

std::string ResultText(const std::string& otherFolder, const ImportResult& result)
{
    const auto section = [](const char* heading, const std::vector<std::string>& names) {
        return names.empty() ? std::string()
                             : std::string(heading) + " (" + std::to_string(names.size()) + "): " +
                                   JoinedNames(names) + "\n\n";
    };
    std::string text = "From " + otherFolder + " into " + AppFolder() + ":\n\n" +
                       section("Taken", result.taken) + section("Already there", result.alreadyThere) +
                       section("Kept as they were (they differ)", result.keptDiffering);
    const std::string stillMissing = StillMissingText(FindMissingFiles());
    text += stillMissing.empty() ? std::string("Nothing is missing any more.")
                                 : "Still missing:\n" + stillMissing.substr(0, stillMissing.size() - 1);
    return text;
}

}  // namespace

std::vector<ImportItem> FilesToImport(const std::string& otherFolder)
{
    std::vector<ImportItem> items;
    const std::string otherEmulatorFolder = PathBelow(otherFolder, "WinUAE");
    const std::string otherConfigPath = PathBelow(otherFolder, kConfigFile);
    const std::optional<std::string> otherConfig = ReadIfThere(otherConfigPath);
    const std::optional<std::string> ownConfig = ReadIfThere(AppPath(kConfigFile));
    // The configuration comes first, since the ROM goes where it looks; its paths stay as they
    // are, as a game start rewrites the ones that matter.
    if (otherConfig && !ownConfig)
        items.push_back({"WinUAE/Configurations/Default.uae", otherConfigPath, AppPath(kConfigFile)});
    AddGameFiles(items, otherFolder, "Data", ".dat");
    if (const std::string pack = PathBelow(otherFolder, kSupportPack); FileExists(pack))
        items.push_back({"Talvero.dat", pack, AppPath(kSupportPack)});
    AddGameFiles(items, otherFolder, "Previews", ".jpg");
    AddKickstartRom(items, otherEmulatorFolder, otherConfig, ownConfig);
    // A Windows emulator is of no use where the bridge stands in for it.
    if (RunsWindowsPrograms()) {
        for (const char* executable : {kEmulator817, kEmulator814}) {
            if (const std::string program = PathBelow(otherEmulatorFolder, executable); FileExists(program))
                items.push_back({std::string("WinUAE/") + executable, program,
                                 AppPath(std::string(kEmulatorFolder) + "\\" + executable)});
        }
    }
    return items;
}

ImportResult ImportFiles(const std::vector<ImportItem>& items)
{
    ImportResult result;
    std::vector<const ImportItem*> toCopy;
    std::vector<const ImportItem*> differing;
    for (const ImportItem& item : items) {
        const std::optional<std::string> own = ReadIfThere(item.destination);
        if (!own)
            toCopy.push_back(&item);
        else if (*own == ReadFileBytes(item.source))
            result.alreadyThere.push_back(item.shownName);
        else
            differing.push_back(&item);
    }
    if (!differing.empty()) {
        std::string names;
        for (const ImportItem* item : differing)
            names += "  - " + item->shownName + "\n";
        const bool replace = AskYesNo("These files in " + AppFolder() + " differ from the ones in the other folder:\n" +
                                      names + "\nReplace them with the other folder's?");
        for (const ImportItem* item : differing) {
            if (replace)
                toCopy.push_back(item);
            else
                result.keptDiffering.push_back(item->shownName);
        }
    }
    for (const ImportItem* item : toCopy) {
        const std::string destination = item->destination;
        CreateFolderWithParents(FolderOf(destination, std::string(1, NativeSeparator())));
        CopyFileReplacing(item->source, destination);
        result.taken.push_back(item->shownName);
    }
    return result;
}

void ImportFromAnotherFolder()
{
    OpenFileRequest request;
    request.title = kImportTitle;
    request.folder = true;
    const std::optional<std::string> chosen = CurrentHost().ChooseFileToOpen(request);
    if (!chosen)
        return;
    const std::vector<ImportItem> items = FilesToImport(*chosen);
    if (items.empty()) {
        ShowMessage("No Talvero files were found in " + *chosen +
                        ".\nA Talvero folder holds Data, Previews, Talvero.dat and WinUAE.",
                    MessageIcon::Exclamation);
        return;
    }
    try {
        ShowMessage(ResultText(*chosen, ImportFiles(items)), MessageIcon::Information);
    } catch (const std::exception& failure) {
        ShowMessage("The import stopped: a file could not be copied. The files copied before it are in place.",
                    MessageIcon::Critical, kApplicationTitle, DetailsOf(failure));
    }
}

}  // namespace talvero
