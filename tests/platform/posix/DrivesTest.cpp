// Drive letters on Linux: the Drives folder, links, optical drives, and CD paths in any case.
#include "platform/Drives.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/posix/MountTable.h"
#include "tests/support/TestFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace talvero {
namespace {

class DrivesTest : public ::testing::Test {
protected:
    void SetUp() override { SetAppFolder(app.path()); }
    test::TestFolder app;
    test::TestFolder elsewhere;
};

TEST_F(DrivesTest, ADriveIsItsFolderOrLinkBelowDrivesAndOthersDoNotResolve)
{
    test::MakeFolders(app / "Drives/D");
    for (const char* drive : {"D:", "d:", "D:\\"})
        EXPECT_EQ(app / "Drives/D", DriveRoot(drive)) << drive;
    test::WriteFile(elsewhere / "Gloom", "gloom");
    ASSERT_EQ(0, ::symlink(elsewhere.path().c_str(), (app / "Drives/E").c_str()));
    EXPECT_EQ("gloom", test::ReadFile(PathOnDrive("E:", "\\Gloom")));
    for (const char* drive : {"Q:", "1:", ":", ""})
        EXPECT_FALSE(DriveRoot(drive)) << drive;
    EXPECT_EQ(76, test::ErrorNumberOf([] { PathOnDrive("Q:", "\\Akira"); }));
}

TEST_F(DrivesTest, TheListOffersTheRootDriveAndEveryResolvingLetter)
{
    test::MakeFolders(app / "Drives/D");
    test::MakeFolders(app / "Drives/G");
    const auto drives = ListDrives();
    std::vector<std::string> texts;
    for (const DriveEntry& drive : drives)
        texts.push_back(drive.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "C: /"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "D: " + (app / "Drives/D")), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "G: " + (app / "Drives/G")), texts.end());
    for (const DriveEntry& drive : drives)
        EXPECT_EQ((std::string{drive.letter, ':'}), drive.text.substr(0, 2));
}

TEST_F(DrivesTest, ImagesStandForDrivesAfterFoldersAndBeforeOpticalDrives)
{
    test::MakeFolders(app / "Drives/H");
    const std::string target = std::filesystem::canonical(elsewhere.path()).string() + "/Game Disc.cue";
    for (const char* file : {"Drives/F.iso", "Drives/G.nrg", "Drives/G.cue", "Drives/H.iso"})
        test::WriteFile(app / file, "image");
    test::WriteFile(target, "image");
    ASSERT_EQ(0, ::symlink(target.c_str(), (app / "Drives/E").c_str()));

    const std::pair<const char*, std::optional<DriveSource>> expected[] = {
        {"E:", DriveSource{DriveKind::Image, target}},
        {"F:", DriveSource{DriveKind::Image, app / "Drives/F.iso"}},
        {"G:", DriveSource{DriveKind::Image, app / "Drives/G.cue"}},  // .iso, .cue, .nrg in that order
        {"H:", DriveSource{DriveKind::Folder, app / "Drives/H"}},     // a folder before an image
    };
    for (const auto& [drive, source] : expected) {
        const auto resolved = ResolveDrive(drive);
        ASSERT_TRUE(resolved) << drive;
        EXPECT_EQ(source->kind, resolved->kind) << drive;
        EXPECT_EQ(source->path, resolved->path) << drive;
        EXPECT_EQ(source->kind == DriveKind::Folder, DriveRoot(drive).has_value()) << drive;
    }
    const auto drives = ListDrives();
    EXPECT_NE(std::find_if(drives.begin(), drives.end(),
                           [&](const DriveEntry& entry) { return entry.text == "E: " + target; }),
              drives.end());
}

TEST_F(DrivesTest, CdPathsMatchRegardlessOfCaseExactSpellingFirst)
{
    test::WriteFile(app / "Drives/D/WV_DISK_1/WV", "whale");
    test::WriteFile(app / "Drives/D/akira", "lower");
    test::WriteFile(app / "Drives/D/AKIRA", "upper");
    test::WriteFile(app / "Drives/D/Akira", "exact");
    EXPECT_EQ("whale", test::ReadFile(PathOnDrive("D:", "\\WV_Disk_1\\wv")));
    EXPECT_EQ("exact", test::ReadFile(PathOnDrive("D:", "\\Akira")));
    EXPECT_EQ(app / "Drives/D/Nothing/here", PathOnDrive("D:", "\\Nothing\\here"));
}

TEST_F(DrivesTest, DuringAGameStartEachFolderIsListedOnceForNamesInAnotherCase)
{
    constexpr int kFiles = 200;
    test::MakeFolders(app / "Drives/D/DATA");
    for (int i = 0; i < kFiles; ++i)
        test::WriteFile(app / ("Drives/D/DATA/FILE" + std::to_string(i)), "");
    {
        const DriveListingCache listing;
        for (int i = 0; i < kFiles; ++i)
            ASSERT_EQ(app / ("Drives/D/DATA/FILE" + std::to_string(i)),
                      PathOnDrive("D:", "\\data\\file" + std::to_string(i)));
        // Listed once, not once per name: a file that comes later is not in the listing.
        test::WriteFile(app / "Drives/D/DATA/NEW", "");
        EXPECT_EQ(app / "Drives/D/DATA/new", PathOnDrive("D:", "\\data\\new"));
    }
    EXPECT_EQ(app / "Drives/D/DATA/NEW", PathOnDrive("D:", "\\data\\new"));
}

TEST_F(DrivesTest, DuringAGameStartTheCacheListingFollowsWhatTheProgramWrites)
{
    const std::string cache = app / "Cache/game";
    test::MakeFolders(cache);
    const DriveListingCache listing;
    EXPECT_EQ(cache + "/Libs", PathBelow(cache, "Libs"));  // lists the folder, still empty
    CreateFolder(cache + "/LIBS");
    WriteCacheFileContents(cache + "/LIBS/Game", "x");
    EXPECT_EQ(cache + "/LIBS/Game", PathBelow(cache, "libs\\GAME"));
    RemoveFile(cache + "/LIBS/Game");
    EXPECT_EQ(cache + "/LIBS/game", PathBelow(cache, "libs\\game"));
}

TEST(MountTable, FindsTheMountPointOfADeviceWithEscapedBlanks)
{
    const std::string table = "sysfs /sys sysfs rw 0 0\n"
                              "/dev/sr0 /media/My\\040Disc iso9660 ro 0 0\n"
                              "/dev/sda1 / ext4 rw 0 0\n";
    EXPECT_EQ(std::vector<std::string>{"/media/My Disc"}, posix::MountPointsOf("/dev/sr0", table));
    EXPECT_TRUE(posix::MountPointsOf("/dev/sr1", table).empty());
    // A backslash without three octal digits after it is plain text.
    EXPECT_EQ(std::vector<std::string>{"/media/A\\9\\08\\04"},
              posix::MountPointsOf("/dev/sr1", "/dev/sr1 /media/A\\9\\08\\04 iso9660 ro 0 0\n"));
}

}  // namespace
}  // namespace talvero
