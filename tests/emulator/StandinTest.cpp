// What the stand-in emulator checks, and a real start of it.
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
    std::string Failed(const LaunchReport& report)
    {
        std::string failed;
        for (const CheckResult& check : report.checks)
            failed += check.passed ? "" : check.name + " ";
        return failed;
    }
};

TEST_F(StandinTest, AStartedStandinReadsTheConfigurationAndWritesItsLaunchRecord)
{
    test::WriteFile(folder / "Cache/akir/s/startup-sequence", "Echo hi");
    test::WriteFile(App("\\WinUAE\\Configurations\\Default.uae"),
                    "filesystem=rw,0:" + (folder / "Cache/akir") +
                        "\r\nkickstart_rom_file=kick31.rom\r\n"
                        "joyport1=joy0\r\nchipset=aga\r\n");
    StartEmulator(kEmulator817);
    const std::string log = WaitForLaunchLog();
    const std::vector<std::string> lines = {"executable: WinUAE817r3.exe\n",
                                            "line: chipset=aga\n",
                                            "check filesystem: ok - volume 0 at " + (folder / "Cache/akir"),
                                            "check startup-sequence: ok",
                                            "check joyport1: ok - joy0",
                                            "result: ok\n"};
    for (const std::string& line : lines)
        EXPECT_NE(std::string::npos, log.find(line)) << line << " not in\n" << log;
}

TEST_F(StandinTest, FailedChecksAreReportedAndTheCdVolumeNeedsNoBootScript)
{
    EXPECT_EQ("filesystem startup-sequence kickstart joyport1 hardfile ",
              Failed(CheckLaunch("filesystem=rw,0:" + (folder / "Cache/none") +
                                     "\r\nkickstart_rom_file=\r\n"
                                     "joyport1=joy7\r\nhardfile=rw,32,1,2,512," +
                                     (folder / "x.hdf") + "\r\n",
                                 App("\\WinUAE"))));
    test::MakeFolders(folder / "Cache/fron");
    const auto report =
        CheckLaunch("filesystem=rw,cd0:" + (folder / "Cache/fron") +
                        "\r\nkickstart_rom_file=" + App("\\WinUAE\\kick31.rom") + "\r\njoyport1=kbd2\r\n",
                    "/nonexistent");
    EXPECT_TRUE(report.AllPassed()) << report.Record();
    EXPECT_EQ(ConfigLineValue("a=1\r\na=2\r\n", "a="), "2");
    EXPECT_EQ(ConfigLineValue("a=1\r\n", "b="), std::nullopt);
}

}  // namespace
}  // namespace talvero
