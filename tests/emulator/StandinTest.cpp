// What the stand-in emulator checks: the other tests trust its "result: ok".
#include "emulator/standin/LaunchCheck.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

class StandinTest : public test::AppFolderTest {};

TEST_F(StandinTest, FailedChecksAreReportedAndTheCdVolumeNeedsNoBootScript)
{
    LayOutDemo();
    const std::string broken = "filesystem=rw,0:" + (folder / "Cache/none") +
                               "\r\nkickstart_rom_file=\r\njoyport1=joy7\r\nhardfile=rw,32,1,2,512," +
                               (folder / "x.hdf") + "\r\n";
    std::string failed;
    for (const CheckResult& check : CheckLaunch(broken, App("\\WinUAE")).checks)
        failed += check.passed ? "" : check.name + " ";
    EXPECT_EQ("filesystem startup-sequence kickstart joyport1 hardfile ", failed);
    test::MakeFolders(folder / "Cache/fron");
    const auto report =
        CheckLaunch("filesystem=rw,cd0:" + (folder / "Cache/fron") +
                        "\r\nkickstart_rom_file=" + App("\\WinUAE\\kick31.rom") + "\r\njoyport1=kbd2\r\n",
                    "/nonexistent");
    EXPECT_TRUE(report.AllPassed()) << report.Record();
    EXPECT_NE(std::string::npos, report.Record().find("\nline: joyport1=kbd2\n")) << report.Record();
    EXPECT_EQ("2|0", ConfigLineValue("a=1\r\na=2\r\nab=3\r\n", "a=").value_or("-") + "|" +
                         std::to_string(ConfigLineValue("A=1\r\n a=2\r\n", "a=").has_value()));
}

}  // namespace
}  // namespace talvero
