// A game data file of any content (copy records, boot script, patch records) given to the
// installers of three games that read it in each of its three ways.
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "platform/Files.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fixed number of copy records (Akira), every record a copy (Frontier), patch records (Guardian).
    static const char* const titles[] = {"Akira", "Frontier - Elite 2", "Guardian"};
    static const std::string folder = fuzz::MakeDemoAppFolder({titles[0], titles[1], titles[2]});
    if (size == 0)
        return 0;
    // The first byte picks the game; the rest is its data file.
    const GameProfile& profile = *FindProfile(titles[data[0] % 3]);
    WriteFileBytes(DataFilePath(profile), fuzz::Pieces(data + 1, size - 1)[0]);
    InstallGame(profile.title, InstallerOptions{});
    return 0;
}
