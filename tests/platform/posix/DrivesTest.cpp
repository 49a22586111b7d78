// Drive letters on Linux: the Drives folder, links, images, and CD paths in any case.
#include "platform/Drives.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/posix/MountTable.h"
#include "tests/support/TestFolder.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace talvero {
namespace {

class DrivesTest : public ::testing::Test {
protected:
    void SetUp() override { SetAppFolder(app.path()); }
    test::TestFolder app;
    test::TestFolder elsewhere;
};

TEST_F(DrivesTest, FoldersLinksAndImagesBelowDrivesStandForLettersInThatOrder)
{
    const std::string target = std::filesystem::canonical(elsewhere.path()).string() + "/Game Disc.cue";
    test::WriteFile(target, "image");
    test::WriteFile(elsewhere / "Gloom", "gloom");
    test::MakeFolders(app / "Drives/D");
    test::MakeFolders(app / "Drives/H");
    for (const char* file : {"Drives/F.iso", "Drives/G.nrg", "Drives/G.cue", "Drives/H.iso"})
        test::WriteFile(app / file, "image");
    ASSERT_EQ(0, ::symlink(target.c_str(), (app / "Drives/E").c_str()));
    ASSERT_EQ(0, ::symlink(elsewhere.path().c_str(), (app / "Drives/I").c_str()));
    const std::pair<const char*, DriveSource> expected[] = {
        {"D:", {DriveKind::Folder, app / "Drives/D"}},
        {"d:\\", {DriveKind::Folder, app / "Drives/D"}},
        {"E:", {DriveKind::Image, target}},
        {"F:", {DriveKind::Image, app / "Drives/F.iso"}},
        {"G:", {DriveKind::Image, app / "Drives/G.cue"}},  // .iso, .cue, .nrg in that order
        {"H:", {DriveKind::Folder, app / "Drives/H"}},     // a folder before an image
        {"I:", {DriveKind::Folder, app / "Drives/I"}},
    };
    std::set<std::string> listed;
    for (const DriveEntry& drive : ListDrives()) {
        EXPECT_EQ((std::string{drive.letter, ':'}), drive.text.substr(0, 2));
        listed.insert(drive.text);
    }
    EXPECT_EQ(1u, listed.count("C: /"));
    for (const auto& [drive, source] : expected) {
        const auto resolved = ResolveDrive(drive);
        ASSERT_TRUE(resolved) << drive;
        EXPECT_EQ(source.kind, resolved->kind) << drive;
        EXPECT_EQ(source.path, resolved->path) << drive;
        EXPECT_EQ(source.kind == DriveKind::Folder, DriveRoot(drive).has_value()) << drive;
        EXPECT_EQ(
            1u, listed.count(std::string(1, static_cast<char>(std::toupper(drive[0]))) + ": " + source.path))
            << drive;
    }
    EXPECT_EQ("gloom", test::ReadFile(PathOnDrive("I:", "\\Gloom")));
    for (const char* drive : {"Q:", "1:", ":", ""})
        EXPECT_FALSE(ResolveDrive(drive) || DriveRoot(drive)) << drive;
    EXPECT_EQ(76, test::ErrorNumberOf([] { PathOnDrive("Q:", "\\Akira"); }));
}

TEST_F(DrivesTest, CdPathsMatchRegardlessOfCaseExactSpellingFirst)
{
    test::WriteFile(app / "Drives/D/WV_DISK_1/WV", "whale");
    for (const char* name : {"akira", "AKIRA", "Akira"})
        test::WriteFile(app / (std::string("Drives/D/") + name), name);
    EXPECT_EQ("whale", test::ReadFile(PathOnDrive("D:", "\\WV_Disk_1\\wv")));
    EXPECT_EQ("Akira", test::ReadFile(PathOnDrive("D:", "\\Akira")));
    EXPECT_EQ(app / "Drives/D/Nothing/here", PathOnDrive("D:", "\\Nothing\\here"));
}

// During a game start each folder is listed once, not once per name; a cache folder's listing
// follows what the program writes there.
TEST_F(DrivesTest, AListingCacheListsACdFolderOnceAndFollowsTheCacheFolder)
{
    const std::string cache = app / "Cache/game";
    test::MakeFolders(cache);
    test::WriteFile(app / "Drives/D/DATA/FILE1", "");
    {
        const DriveListingCache listing;
        EXPECT_EQ(app / "Drives/D/DATA/FILE1", PathOnDrive("D:", "\\data\\file1"));
        test::WriteFile(app / "Drives/D/DATA/NEW", "");
        EXPECT_EQ(app / "Drives/D/DATA/new", PathOnDrive("D:", "\\data\\new"));

        EXPECT_EQ(cache + "/Libs", PathBelow(cache, "Libs"));  // lists the folder, still empty
        CreateFolder(cache + "/LIBS");
        WriteCacheFileContents(cache + "/LIBS/Game", "x");
        EXPECT_EQ(cache + "/LIBS/Game", PathBelow(cache, "libs\\GAME"));
        RemoveFile(cache + "/LIBS/Game");
        EXPECT_EQ(cache + "/LIBS/game", PathBelow(cache, "libs\\game"));
    }
    EXPECT_EQ(app / "Drives/D/DATA/NEW", PathOnDrive("D:", "\\data\\new"));
}

TEST(MountTable, FindsTheMountPointOfADeviceWithEscapedBlanks)
{
    const std::string table = "sysfs /sys sysfs rw 0 0\n/dev/sr0 /media/My\\040Disc iso9660 ro 0 0\n"
                              "/dev/sda1 / ext4 rw 0 0\n/dev/sr1 /media/A\\9\\08\\04 iso9660 ro 0 0\n";
    EXPECT_EQ(std::vector<std::string>{"/media/My Disc"}, posix::MountPointsOf("/dev/sr0", table));
    EXPECT_TRUE(posix::MountPointsOf("/dev/sr2", table).empty());
    // A backslash without three octal digits after it is plain text.
    EXPECT_EQ(std::vector<std::string>{"/media/A\\9\\08\\04"}, posix::MountPointsOf("/dev/sr1", table));
}

}  // namespace
}  // namespace talvero
