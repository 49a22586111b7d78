// A real emulated Amiga: Start game with the bridge in the emulator's place boots FS-UAE from
// the game's cache, and the boot script runs there.
#include "emulator/ConfigEditor.h"
#include "platform/Process.h"
#include "tests/support/GuiTest.h"

#include <csignal>

namespace talvero {
namespace {

class FsUaeBridgeTest : public test::GuiTest {
protected:
    void TearDown() override
    {
        // Only the emulator this test started, by the process id the bridge recorded.
        if (const auto at = Log().find(" pid "); at != std::string::npos)
            ::kill(std::stoi(Log().substr(at + 5)), SIGKILL);
        GuiTest::TearDown();
    }
    std::string Log() const
    {
        return test::Exists(App("\\WinUAE\\bridge.log")) ? test::ReadFile(App("\\WinUAE\\bridge.log")) : "";
    }
};

TEST_F(FsUaeBridgeTest, StartingAGameBootsARealAmiga)
{
    LayOutDemo(TALVERO_FSUAE_BRIDGE);
    if (FindProgramOnPath("fs-uae").empty())
        GTEST_SKIP() << "fs-uae is not installed (scripts/install-deps.sh installs it)";
    test::WriteFile(App("\\Data\\Akira.dat"),
                    "Akira\r\nEcho \"Talvero was here\" >0:marker.txt\nEcho \"done\"\r\n");
    // Warp speed and no sound, asked of FS-UAE through its own lines.
    for (const auto& [option, value] : {std::pair{"audio_driver", "null"}, std::pair{"warp_mode", "1"},
                                        std::pair{"accuracy", "-1"}, std::pair{"uae_cpu_speed", "max"}})
        SetConfigValue(std::string("fs-uae.") + option + "=", value);
    InsertDemoCd("Akira");
    StartFromWindow("Akira");
    // The Amiga writes the marker and then its line; wait for the whole line.
    const std::string marker = folder / "Cache/akir/marker.txt";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return test::Exists(marker) && test::ReadFile(marker) == "Talvero was here\n"; }, 60000))
        << "the emulated Amiga did not run the boot script; bridge log:\n"
        << Log();
}

}  // namespace
}  // namespace talvero
