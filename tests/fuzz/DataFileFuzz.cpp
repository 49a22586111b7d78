// A game data file of any content (copy records, boot script, patch records) given to the
// installers of three games that read it in each of its three ways.
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/Files.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace talvero;

namespace {
// A fixed number of copy records (Akira), every record a copy (Frontier), patch records (Guardian).
const char* const kTitles[] = {"Akira", "Frontier - Elite 2", "Guardian"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = fuzz::MakeDemoAppFolder({kTitles[0], kTitles[1], kTitles[2]});
    if (size == 0)
        return 0;
    // The first byte picks the game; the rest is its data file.
    const GameProfile& profile = *FindProfile(kTitles[data[0] % 3]);
    WriteFileBytes(DataFilePath(profile), std::string(fuzz::Text(data + 1, size - 1)));
    InstallGame(profile.title, InstallerOptions{});
    return 0;
}
