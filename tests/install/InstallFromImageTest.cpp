// A game started from a CD image, end to end: every copied file byte for byte as on the disc, and
// a second start that copies nothing again; a data file that ends before its fixed record count.
#include "app/CommandLine.h"
#include "demo/DemoImage.h"
#include "games/GameProfiles.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

// Not a multiple of a sector, so that a sector too many or too few shows.
constexpr std::size_t kFileSize = 70001;

class InstallFromImageTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::WriteFile(App(kConfigFile), "");
    }
    // Start game by title from the options' drive, with an image inserted for it or none; the exit status.
    int Start(const std::string& title, const std::string& image, const std::string& drive = "D:")
    {
        return StartGameFromCommandLine(title, [=] { return InstallerOptions{drive, true, image}; });
    }
};

// Each image is started twice: the second start finds every file unchanged and copies none. The
// BIN/CUE is inserted as through the menu; the ISO lies in the Drives folder as drive G:.
TEST_F(InstallFromImageTest, ABinCueAndAnIsoImageInstallEveryFileAsOnTheDiscAndTheSecondStartCopiesNothing)
{
    int launches = 0;
    const test::TestFolder images;
    test::MakeFolders(folder / "Drives");
    const struct {
        std::string title, image, drive, inserted;  // the image started as the drive or inserted for it
    } rows[] = {{"Akira", images / "Akira.cue", "D:", images / "Akira.cue"},
                {"GunShip 2000", folder / "Drives/G.iso", "G:", ""}};
    for (const auto& [title, image, drive, inserted] : rows) {
        SCOPED_TRACE(image);
        const GameProfile& profile = *FindProfile(title);
        MakeDemoCdImage({title}, image, kFileSize);
        const auto start = [&] { return Start(title, inserted, drive); };
        EXPECT_EQ(0, start());
        WaitForLaunchLog(++launches);
        const test::TestFolder disc;  // laid out beside the cache for comparison
        LayOutDemoCd(profile, disc.path(), kFileSize);
        for (const std::string& copy : DemoCopyRecords(profile)) {
            const std::string relative = NativePath(copy);
            EXPECT_TRUE(test::ReadFile(JoinPath(disc.path(), relative)) ==
                        test::ReadFile(JoinPath(CacheFolderPath(profile), relative)))
                << copy;
        }
        EXPECT_EQ(0, start());
        WaitForLaunchLog(++launches);
        EXPECT_EQ(1, LogLinesWith("copied 0 of " + std::to_string(DemoCopyRecords(profile).size()) +
                                  " files into " + CacheFolderPath(profile)));
    }
}

// Reading past the data file's end fails with 62, which ends the program.
TEST_F(InstallFromImageTest, ADataFileShorterThanItsFixedRecordCountEndsTheProgramWith62)
{
    const GameProfile& profile = *FindProfile("GunShip 2000");
    const std::vector<std::string> copies = DemoCopyRecords(profile);
    test::WriteFile(DataFilePath(profile), copies[0] + "\r\n" + copies[1] + "\r\n" + copies[2] + "\r\n");
    const test::TestFolder images;
    MakeDemoCdImage({profile.title}, images / "GunShip.iso", kFileSize);
    EXPECT_EQ(1, Start(profile.title, images / "GunShip.iso"));
    host->ExpectMessage("Unknown error! Terminating... Exitcode: 62");
    EXPECT_EQ(1, host->endProgramRequests);
    EXPECT_EQ(0, LogLinesWith("started the emulator"));
}

}  // namespace
}  // namespace talvero
