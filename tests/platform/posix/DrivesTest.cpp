// Drive letters on Linux: the Drives folder, links, images, and CD paths in any case.
#include "platform/Drives.h"

#include "platform/Files.h"
#include "platform/posix/MountTable.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace talvero {
namespace {

class Drives : public ::testing::Test {
protected:
    void SetUp() override { SetAppFolder(app.path()); }
    test::TestFolder app, elsewhere;
};

TEST_F(Drives, FoldersLinksAndImagesStandForLetters)
{
    const std::string target = std::filesystem::canonical(elsewhere.path()).string() + "/Game Disc.cue";
    test::WriteFile(target, "image");
    for (const char* file : {"Drives/D/x", "Drives/H/x", "Drives/1/x", "Drives/F.iso", "Drives/G.nrg",
                             "Drives/G.cue", "Drives/H.iso", "Drives/J.cue", "Drives/J.iso"})
        test::WriteFile(app / file, "image");
    ASSERT_EQ(0, ::symlink(target.c_str(), (app / "Drives/E").c_str()));
    ASSERT_EQ(0, ::symlink(elsewhere.path().c_str(), (app / "Drives/I").c_str()));
    // Images in the order .iso, .cue, .nrg; a folder before an image. C: is the system's root.
    const std::string d = app / "Drives/";
    const std::vector<std::string> expected = {"C: /", "D: " + d + "D", "E: " + target, "F: " + d + "F.iso",
                                               "G: " + d + "G.cue", "H: " + d + "H", "I: " + d + "I",
                                               "J: " + d + "J.iso"};
    const std::vector<DriveEntry> listed = ListDrives();
    ASSERT_GE(listed.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].front(), listed[i].letter) << "entry " << i;
        EXPECT_EQ(expected[i], listed[i].text) << "entry " << i;
    }
    for (const auto& [drive, kind] : {std::pair{"d:\\", DriveKind::Folder},
                                      {"I:", DriveKind::Folder},
                                      {"E:", DriveKind::Image},
                                      {"G:", DriveKind::Image}})
        EXPECT_EQ(kind, ResolveDrive(drive).value().kind) << drive;
    for (const char* drive : {"Q:", "1:", ":", ""})
        EXPECT_FALSE(ResolveDrive(drive)) << "\"" << drive << "\" is no drive";
    EXPECT_EQ(76, test::ErrorNumberOf([] { PathOnDrive("Q:", "\\Akira"); }));
    // A letter that stands for nothing says where it was looked for.
    try {
        PathOnDrive("q:", "\\Akira");
        ADD_FAILURE() << "q: stands for nothing and was found";
    } catch (const FileError& error) {
        EXPECT_EQ("q:\\Akira\nPath not found: on Linux the drive Q: is the folder " + d + "Q, the image " + d +
                      "Q.iso, .cue or .nrg, or the mount point of /dev/sr13, and none of them exists",
                  error.Details());
    }
}

// Mount tables escape blanks as three octal digits; a backslash without them is plain text.
TEST_F(Drives, MountPointsUnescapeOctalBlanksOnly)
{
    EXPECT_EQ((std::vector<std::string>{"/media/My Disc", "/media/A\\9"}),
              posix::MountPointsOf("/dev/sr0",
                                   "/dev/sr0 /media/My\\040Disc x\nsysfs /sys x\n/dev/sr0 /media/A\\9 x"));
}

// CD paths match regardless of letter case, the exact spelling first. While a listing is kept, a
// CD folder is listed once, and a cache folder's listing follows what the program writes there.
TEST_F(Drives, CdPathsMatchInAnyCaseAndAKeptListingFollowsTheProgramsOwnWrites)
{
    test::WriteFile(app / "Drives/D/WV_DISK_1/WV", "whale");
    for (const char* name : {"akira", "AKIRA", "Akira"})
        test::WriteFile(app / (std::string("Drives/D/") + name), name);
    const std::string cache = app / "Cache/game";
    test::MakeFolders(cache);
    {
        const DriveListingCache listing;
        EXPECT_EQ("whale", test::ReadFile(PathOnDrive("D:", "\\WV_Disk_1\\wv")));
        EXPECT_EQ("Akira", test::ReadFile(PathOnDrive("D:", "\\Akira")));
        test::WriteFile(app / "Drives/D/NEW", "");
        EXPECT_EQ(app / "Drives/D/new", PathOnDrive("D:", "\\new"));
        EXPECT_EQ(cache + "/Libs", PathBelow(cache, "Libs"));  // lists the folder, still empty
        CreateFolder(cache + "/LIBS");
        WriteCacheFileContents(cache + "/LIBS/Game", "x");
        EXPECT_EQ(cache + "/LIBS/Game", PathBelow(cache, "libs\\GAME"));
        RemoveFile(cache + "/LIBS/Game");
        EXPECT_EQ(cache + "/LIBS/game", PathBelow(cache, "libs\\game"));
    }
    const DriveListingCache next;  // the next install lists the CD afresh
    EXPECT_EQ(app / "Drives/D/NEW", PathOnDrive("D:", "\\new"));
}

}  // namespace
}  // namespace talvero
