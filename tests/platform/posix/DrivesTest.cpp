// Drive letters on Linux: the Drives folder, links, images, and CD paths in any case.
#include "platform/Drives.h"

#include "platform/Files.h"
#include "platform/posix/MountTable.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace talvero {
namespace {

TEST(Drives, FoldersLinksAndImagesStandForLettersAndCdPathsMatchInAnyCase)
{
    test::TestFolder app, elsewhere;
    SetAppFolder(app.path());
    const std::string target = std::filesystem::canonical(elsewhere.path()).string() + "/Game Disc.cue";
    test::WriteFile(target, "image");
    for (const char* file : {"Drives/D/x", "Drives/H/x", "Drives/1/x", "Drives/F.iso", "Drives/G.nrg",
                             "Drives/G.cue", "Drives/H.iso", "Drives/J.cue", "Drives/J.iso"})
        test::WriteFile(app / file, "image");
    ASSERT_EQ(0, ::symlink(target.c_str(), (app / "Drives/E").c_str()));
    ASSERT_EQ(0, ::symlink(elsewhere.path().c_str(), (app / "Drives/I").c_str()));
    // Images in the order .iso, .cue, .nrg; a folder before an image.
    const std::string d = app / "Drives/";
    std::string listed, kinds;
    for (const DriveEntry& drive : ListDrives())
        listed += std::string{drive.letter, '|'} + drive.text + "\n";
    EXPECT_EQ(0u, listed.find("C|C: /\nD|D: " + d + "D\nE|E: " + target + "\nF|F: " + d + "F.iso\nG|G: " + d +
                              "G.cue\nH|H: " + d + "H\nI|I: " + d + "I\nJ|J: " + d + "J.iso\n"))
        << listed;
    for (const char* drive : {"D:", "d:\\", "E:", "F:", "G:", "H:", "I:", "Q:", "1:", ":", ""})
        kinds += DriveRoot(drive) ? "root " : ResolveDrive(drive) ? "image " : "- ";
    EXPECT_EQ("root root image image image root root - - - - ", kinds);
    EXPECT_EQ(76, test::ErrorNumberOf([] { PathOnDrive("Q:", "\\Akira"); }));
    // A letter that stands for nothing says where it was looked for.
    try {
        PathOnDrive("q:", "\\Akira");
    } catch (const FileError& error) {
        EXPECT_EQ("q:\\Akira\nPath not found: on Linux the drive Q: is the folder " + d + "Q, the image " + d +
                      "Q.iso, .cue or .nrg, or the mount point of /dev/sr13, and none of them exists",
                  error.Details());
    }
    // Mount tables escape blanks as three octal digits; a backslash without them is plain text.
    EXPECT_EQ((std::vector<std::string>{"/media/My Disc", "/media/A\\9"}),
              posix::MountPointsOf("/dev/sr0",
                                   "/dev/sr0 /media/My\\040Disc x\nsysfs /sys x\n/dev/sr0 /media/A\\9 x"));

    // CD paths match regardless of letter case, the exact spelling first. While a listing is kept, a
    // CD folder is listed once, and a cache folder's listing follows what the program writes there.
    test::WriteFile(app / "Drives/D/WV_DISK_1/WV", "whale");
    for (const char* name : {"akira", "AKIRA", "Akira"})
        test::WriteFile(app / (std::string("Drives/D/") + name), name);
    const std::string cache = app / "Cache/game";
    test::MakeFolders(cache);
    {
        const DriveListingCache listing;
        EXPECT_EQ("whale|Akira", test::ReadFile(PathOnDrive("D:", "\\WV_Disk_1\\wv")) + "|" +
                                     test::ReadFile(PathOnDrive("D:", "\\Akira")));
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
