// What an install reads from the AppFolder, of any content: a game's data file (copy records,
// boot script, patch records).
#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/ActivityLogTesting.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/cdimage/CdRoot.h"
#include "tests/support/TestFolder.h"

using namespace talvero;

namespace {

// Message boxes are answered at once; ending the program is only noted, so that the run goes on
// exactly as the caller goes on after asking.
class SilentHost final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest&) override { return MessageAnswer::No; }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
    void EndProgramNow() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Games that read their data file each in one of its three ways: a fixed number of copy
    // records (Akira), every record a copy (Frontier), patch records (Guardian).
    static const char* const titles[] = {"Akira", "Frontier - Elite 2", "Guardian"};
    static SilentHost host;
    static const test::TestFolder folder;
    static const bool laidOut = [] {
        SetHost(&host);
        // An install starts no emulator; the fuzzed installs log into the scratch folder.
        LayOutDemoAppFolder(folder.path(), "/bin/true");
        testing::SetLogFile(folder / "talvero.log");
        test::MakeFolders(folder / "Drives/D");
        for (const char* title : titles)
            LayOutDemoCd(*FindProfile(title), folder / "Drives/D");
        return true;
    }();
    if (size == 0 || !laidOut)
        return 0;
    // The first byte picks the game whose data file the rest is.
    const GameProfile& profile = *FindProfile(titles[data[0] % 3]);
    WriteFileBytes(DataFilePath(profile), std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    RunReportingFailures([&] { InstallGame(profile, CacheFolderPath(profile), CdRoot::Open("D:"), {}); });
    return 0;
}
