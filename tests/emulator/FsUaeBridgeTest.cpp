// A real emulated Amiga: Start game with the bridge in the emulator's place boots FS-UAE from
// the game's cache, and the boot script runs there.
#include "emulator/ConfigEditor.h"
#include "platform/Process.h"
#include "tests/support/GuiTest.h"

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>

namespace talvero {
namespace {

class FsUaeBridgeTest : public test::GuiTest {
protected:
    void TearDown() override
    {
        // Only the emulators this test started, by the process ids the bridge recorded.
        for (const pid_t pid : RecordedPids()) {
            ::kill(pid, SIGTERM);
            WaitUntil([pid] { return ::kill(pid, 0) != 0; }, 2000);
            ::kill(pid, SIGKILL);
        }
        GuiTest::TearDown();
    }
    std::string Log() const
    {
        return test::Exists(App("\\WinUAE\\bridge.log")) ? test::ReadFile(App("\\WinUAE\\bridge.log")) : "";
    }
    std::vector<pid_t> RecordedPids() const
    {
        std::vector<pid_t> pids;
        const std::string log = Log(), lead = " pid ";
        for (auto at = log.find(lead); at != std::string::npos; at = log.find(lead, at + 1))
            pids.push_back(std::stoi(log.substr(at + lead.size())));
        return pids;
    }
};

TEST_F(FsUaeBridgeTest, WithoutFsUaeTheBridgeFailsAndWithItStartingAGameBootsARealAmiga)
{
    LayOutDemo(TALVERO_FSUAE_BRIDGE);
    const int status = std::system(("PATH=/nonexistent '" + App("\\WinUAE\\WinUAE814r3.exe") + "'").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
    EXPECT_NE(std::string::npos, Log().find("fs-uae not found")) << Log();
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
    EXPECT_EQ(0u, host->PendingMessages());
    // The Amiga writes the marker and then its line; wait for the whole line.
    const std::string marker = folder / "Cache/akir/marker.txt";
    EXPECT_TRUE(WaitUntil(
        [&] { return test::Exists(marker) && test::ReadFile(marker) == "Talvero was here\n"; }, 60000))
        << "the emulated Amiga did not run the boot script; bridge log:\n"
        << Log();
    EXPECT_EQ(1u, RecordedPids().size());
    EXPECT_NE(std::string::npos, Log().find("executable: WinUAE817r3.exe")) << Log();
    EXPECT_NE(std::string::npos, Log().find("built-in replacement ROM")) << Log();
}

}  // namespace
}  // namespace talvero
