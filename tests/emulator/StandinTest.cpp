// What the stand-in emulator checks: the other tests trust its "result: ok".
#include "emulator/standin/LaunchCheck.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

class StandinTest : public test::AppFolderTest {};

// The CD volume that boots without a boot script is Frontier's, which the installer tests start.
TEST_F(StandinTest, FailedChecksAreReportedWithTheLinesTheyRead)
{
    LayOutDemo();
    const std::string broken = "filesystem=rw,0:" + (folder / "Cache/none") +
                               "\r\nkickstart_rom_file=\r\njoyport1=joy7\r\nhardfile=rw,32,1,2,512," +
                               (folder / "x.hdf") + "\r\n";
    const LaunchReport report = CheckLaunch(broken, App("\\WinUAE"));
    std::string failed;
    for (const CheckResult& check : report.checks)
        failed += check.passed ? "" : check.name + " ";
    EXPECT_EQ("filesystem startup-sequence kickstart joyport1 hardfile ", failed);
    EXPECT_NE(std::string::npos, report.Record().find("\nline: joyport1=joy7\n")) << report.Record();
    EXPECT_TRUE(report.Record().ends_with("result: FAILED\n")) << report.Record();
    // The last line that begins with the key, exactly.
    EXPECT_EQ("2", ConfigLineValue("a=1\r\na=2\r\nab=3\r\n", "a=").value_or("<absent>"));
    EXPECT_EQ(std::nullopt, ConfigLineValue("A=1\r\n a=2\r\n", "a="));
}

}  // namespace
}  // namespace talvero
