// Which drive letters the bridge hands to the emulated Amiga.
#include "emulator/bridge/CdDrives.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

using Drives = std::vector<std::pair<char, std::string>>;

TEST(CdDrives, OnlyCdsNeverTheRootFolder)
{
    EXPECT_EQ((Drives{{'D', "/media/cdrom0"}, {'E', "/home/u/.local/share/talvero/Drives/E"}}),
              CdDrivesOnly({{'C', "/"}, {'D', "/media/cdrom0"}, {'E', "/home/u/.local/share/talvero/Drives/E"}}));
    EXPECT_EQ(Drives{}, CdDrivesOnly({{'C', "/"}, {'F', "//"}}));
    // A Drives/C folder that the user made is a CD like any other.
    EXPECT_EQ((Drives{{'C', "/srv/cd"}}), CdDrivesOnly({{'C', "/srv/cd"}}));
}

}  // namespace
}  // namespace talvero
