#include "demo/Demo.h"

#include "demo/DemoImage.h"
#include "demo/DemoPreviews.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <filesystem>
#include <system_error>

namespace talvero {

bool CanHoldDemo(const std::string& folder)
{
    if (!EntryExists(folder) || HoldsAppFolderLayout(folder))
        return true;
    std::error_code error;
    const std::filesystem::path path(std::u8string(folder.begin(), folder.end()));
    return FolderExists(folder) && std::filesystem::is_empty(path, error) && !error;
}

bool LayOutDemo(const std::string& folder, const std::string& emulator, ExistingDemoFiles existing)
{
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
