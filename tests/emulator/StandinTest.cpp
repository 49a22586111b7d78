// What the stand-in emulator checks, and a real start of it.
#include "demo/DemoFolder.h"
#include "emulator/EmulatorInterface.h"
#include "emulator/standin/LaunchCheck.h"
#include "games/GameProfiles.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

class StandinTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
    }
};

TEST_F(StandinTest, AStartedStandinReadsTheConfigurationAndWritesItsLaunchRecord)
{
    test::WriteFile(folder / "Cache/akir/s/startup-sequence", "Echo hi");
    test::WriteFile(App("\\WinUAE\\Configurations\\Default.uae"),
                    "filesystem=rw,0:" + (folder / "Cache/akir") + "\r\nkickstart_rom_file=kick31.rom\r\n"
                    "joyport1=joy0\r\nchipset=aga\r\n");
    StartEmulator(kEmulator817);
    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: WinUAE817r3.exe\n")) << log;
    EXPECT_NE(std::string::npos, log.find("line: chipset=aga\n")) << log;
    EXPECT_NE(std::string::npos, log.find("check filesystem: ok - volume 0 at " + (folder / "Cache/akir"))) << log;
    EXPECT_NE(std::string::npos, log.find("check startup-sequence: ok")) << log;
    EXPECT_NE(std::string::npos, log.find("check joyport1: ok - joy0")) << log;
    EXPECT_NE(std::string::npos, log.find("result: ok\n")) << log;
}

TEST_F(StandinTest, FailedChecksAreReported)
{
    const auto report = CheckLaunch("filesystem=rw,0:" + (folder / "Cache/none") + "\r\nkickstart_rom_file=\r\n"
                                    "joyport1=joy7\r\nhardfile=rw,32,1,2,512," + (folder / "x.hdf") + "\r\n",
                                    App("\\WinUAE"));
    EXPECT_FALSE(report.AllPassed());
    std::vector<std::string> failed;
    for (const CheckResult& check : report.checks) {
        if (!check.passed)
            failed.push_back(check.name);
    }
    EXPECT_EQ((std::vector<std::string>{"filesystem", "startup-sequence", "kickstart", "joyport1", "hardfile"}),
              failed);
}

TEST_F(StandinTest, TheCdVolumeNeedsNoBootScriptAndAbsoluteKickstartPathsWork)
{
    test::MakeFolders(folder / "Cache/fron");
    const auto report = CheckLaunch("filesystem=rw,cd0:" + (folder / "Cache/fron") + "\r\nkickstart_rom_file=" +
                                        App("\\WinUAE\\kick31.rom") + "\r\njoyport1=kbd2\r\n",
                                    "/nonexistent");
    EXPECT_TRUE(report.AllPassed()) << report.Record();
    EXPECT_EQ(ConfigLineValue("a=1\r\na=2\r\n", "a="), "2");
    EXPECT_EQ(ConfigLineValue("a=1\r\n", "b="), std::nullopt);
}

}  // namespace
}  // namespace talvero
