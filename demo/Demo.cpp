#include "demo/Demo.h"

#include "demo/DemoImage.h"
#include "demo/DemoPreviews.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <filesystem>
#include <system_error>

namespace talvero {

namespace {

constexpr const char* kDemoNoteText =
    "This folder holds Talvero's demo, laid out by talvero --demo or the talvero-demo tool.\n"
    "Everything in it is placeholder data: none of it is a game or a real Amiga file.\n"
    "Start Akira or Lemmings (their demo CD is drive D:) and the stand-in emulator shows what\n"
    "Talvero prepared. Laid out again by talvero --demo, the folder gets only what is missing.\n";

}  // namespace

bool CanHoldDemo(const std::string& folder)
{
    if (!EntryExists(folder) || FileExists(JoinPath(folder, kDemoNote)))
        return true;
    std::error_code error;
    const std::filesystem::path path(std::u8string(folder.begin(), folder.end()));
    return FolderExists(folder) && std::filesystem::is_empty(path, error) && !error;
}

bool LayOutDemo(const std::string& folder, const std::string& emulator, ExistingDemoFiles existing)
{
    // The note first, so that a layout cut short is still taken up again as a demo.
    CreateFolderWithParents(folder);
    WriteDemoFile(JoinPath(folder, kDemoNote), kDemoNoteText, existing);
    LayOutDemoAppFolder(folder, emulator, existing);
    WriteAllTitleCards(existing);
    const std::string drives = AppPath("\\Drives");
    CreateFolderIfMissing(drives);
    const std::string driveD = JoinPath(drives, "D");
    if (existing == ExistingDemoFiles::Replace || !EntryExists(driveD)) {
        for (const char* title : {"Akira", "Lemmings"})
            LayOutDemoCd(*FindProfile(title), driveD);
    }
    return LayOutDemoImages(drives, existing);
}

}  // namespace talvero
