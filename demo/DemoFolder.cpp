#include "demo/DemoFolder.h"

#include "games/GameProfiles.h"
#include "install/AppFolderLayout.h"
#include "install/Installer.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/PathText.h"

#include <cstdio>

namespace talvero {

namespace {

// Writes a file at a backslash path below `root`, making its folders first.
void WriteCdFile(const std::string& root, const std::string& record, const std::string& bytes)
{
    const std::string path = JoinPath(root, NativePath(record));
    CreateFolderWithParents(FolderOf(path, std::string(1, NativeSeparator())));
    WriteFileBytes(path, bytes);
}

// Folders that may hold copied files: everything but the boot, save and prefs folders.
std::vector<std::string> CopyFolders(const GameProfile& profile)
{
    std::vector<std::string> folders = {""};
    for (const std::string& folder : profile.folders) {
        if (folder != "s" && folder != "nv" && folder != "Save" && folder.rfind("prefs", 0) != 0)
            folders.push_back(folder);
    }
    return folders;
}

}  // namespace

std::vector<std::string> DemoCopyRecords(const GameProfile& profile)
{
    const std::string identity = profile.identityFile.substr(1);
    const auto fixed = profile.FixedCopyRecords();
    const int count = fixed ? *fixed : 4;
    const auto folders = CopyFolders(profile);
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
        // The first copy is the game's own start file where it lies in the CD's root.
        if (i == 0 && identity.find('\\') == std::string::npos) {
            records.push_back(identity);
            continue;
        }
        const std::string& folder = folders[static_cast<std::size_t>(i) % folders.size()];
        const std::string name = profile.cacheCode + "_file" + std::to_string(i + 1);
        records.push_back(folder.empty() ? name : folder + "\\" + name);
    }
    return records;
}

std::string DemoBootScript(const GameProfile& profile)
{
    return "; Talvero placeholder boot script for " + profile.title + "\n" +
           "Echo \"Talvero demo: " + profile.title + "\"\n" +
           "Echo \"With the real disc in the drive, this script would start the game now.\"\n" +
           "Echo \"(placeholder data - no game is installed here)\"";
}

std::vector<std::string> DemoPatchRecords()
{
    std::vector<std::string> records;
    for (int i = 0; i < kPatchRecords; ++i) {
        char record[32];
        std::snprintf(record, sizeof record, "%08X = %02X", 0x100 + i * 17, (i * 29 + 7) & 0xFF);
        records.emplace_back(record);
    }
    return records;
}

std::string DemoDataFile(const GameProfile& profile)
{
    std::string content;
    const auto append = [&](const std::string& record) {
        if (!content.empty())
            content += "\r\n";
        content += record;
    };
    for (const std::string& record : DemoCopyRecords(profile))
        append(record);
    if (profile.copyMode != CopyMode::All)
        append(DemoBootScript(profile));
    if (profile.patch) {
        for (const std::string& record : DemoPatchRecords())
            append(record);
    }
    return content + "\r\n";
}

std::string DemoCdFileBytes(const std::string& record, std::size_t size)
{
    std::string bytes = "TALVERO PLACEHOLDER CD FILE " + record + "\n";
    std::size_t seed = 0;
    for (char c : record)
        seed = seed * 31 + static_cast<unsigned char>(c);
    const std::size_t target = size == 0 ? 200 + seed % 300 : size;
    while (bytes.size() < target)
        bytes += static_cast<char>((seed + bytes.size() * 13) & 0xFF);
    bytes.resize(target);
    return bytes;
}

std::string DemoSupportPack()
{
    std::string pack;
    pack.reserve(PackLength() + 64);
    for (const PackMember& member : PackMembers()) {
        std::string bytes = "TALVERO PLACEHOLDER " + std::string(member.name) + " ";
        const auto mark = static_cast<unsigned char>(member.firstByte % 251);
        while (bytes.size() < member.Length())
            bytes += static_cast<char>((mark + bytes.size() * 7) & 0xFF);
        bytes.resize(member.Length());
        pack += bytes;
    }
    return pack + "END OF PACK\r\n";
}

std::string PlaceholderKickstart()
{
    std::string rom = "TALVERO PLACEHOLDER - this is not a Kickstart ROM.";
    rom.resize(1024, '\0');
    rom[160] = '4';
    rom[161] = '0';
    return rom;
}

void LayOutDemoCd(const GameProfile& profile, const std::string& cdRoot, std::size_t fileSize)
{
    CreateFolderIfMissing(cdRoot);
    const std::string identity = profile.identityFile.substr(1);
    WriteCdFile(cdRoot, identity, DemoCdFileBytes(identity, fileSize));
    for (const std::string& record : DemoCopyRecords(profile)) {
        const bool patched = profile.patch && record == identity;
        WriteCdFile(cdRoot, record, DemoCdFileBytes(record, patched ? kDemoPatchedFileSize : fileSize));
    }
}

bool WriteDemoFile(const std::string& path, const std::string& bytes, ExistingDemoFiles existing)
{
    if (existing == ExistingDemoFiles::Keep && EntryExists(path))
        return false;
    WriteFileBytes(path, bytes);
    return true;
}

void LayOutDemoAppFolder(const std::string& folder, const std::string& standinExecutable,
                         ExistingDemoFiles existing)
{
    SetAppFolder(folder);
    // A folder laid out again keeps the configuration the user's starts and options wrote.
    LayOutAppFolder();
    for (const GameProfile& profile : GameProfiles())
        WriteDemoFile(DataFilePath(profile), DemoDataFile(profile), existing);
    WriteDemoFile(AppPath(kSupportPack), DemoSupportPack(), existing);
    WriteDemoFile(AppPath("\\WinUAE\\kick31.rom"), PlaceholderKickstart(), ExistingDemoFiles::Keep);
    const std::string standin = ReadFileBytes(standinExecutable);
    for (const char* executable : {kEmulator817, kEmulator814}) {
        const std::string target = AppPath(std::string("\\WinUAE\\") + executable);
        if (WriteDemoFile(target, standin, existing))
            MarkExecutable(target);
    }
}

}  // namespace talvero
