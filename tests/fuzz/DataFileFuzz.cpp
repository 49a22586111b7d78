// What an install reads from the AppFolder, of any content: a game's data file (copy records,
// boot script, patch records) or the support-file pack.
#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "install/SupportPack.h"
#include "platform/ActivityLogTesting.h"
#include "platform/FileError.h"
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
    static const std::string demoPack = DemoSupportPack();
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
    // The first byte picks the game whose data file the rest is, or (3) the start of the pack.
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 4 < 3) {
        const GameProfile& profile = *FindProfile(titles[data[0] % 4]);
        WriteFileBytes(DataFilePath(profile), input);
        RunReportingFailures([&] { InstallGame(profile, CacheFolderPath(profile), CdRoot::Open("D:"), {}); });
        return 0;
    }
    // The pack's length is the input's first 3 bytes (big-endian) modulo a little more than a
    // whole pack; the rest of the input replaces its start.
    std::size_t length = 0;
    for (std::size_t i = 0; i < 3 && i < input.size(); ++i)
        length = length << 8 | static_cast<unsigned char>(input[i]);
    const std::string start = input.substr(std::min<std::size_t>(input.size(), 3));
    WriteFileBytes(AppPath(kSupportPack), (start + demoPack.substr(std::min(start.size(), demoPack.size())))
                                              .substr(0, length % (PackLength() + 64)));
    std::filesystem::remove_all(folder / "out");
    std::filesystem::create_directory(folder / "out");
    const std::string out = folder / "out";
    for (const auto& extract : std::initializer_list<void (*)(const std::string&)>{
             [](const std::string& to) { ExtractLowlevel(2, to); }, [](const std::string& to) { ExtractDebox(to); },
             [](const std::string& to) { ExtractFakepad(to); }, &ExtractNvramHardfile}) {
        try {
            extract(out);
        } catch (const FileError&) {}
    }
    WriteFileBytes(AppPath(kSupportPack), demoPack);  // for the installs that follow
    return 0;
}
