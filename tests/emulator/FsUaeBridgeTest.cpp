// A real emulated Amiga: Start game with the bridge in the emulator's place boots FS-UAE from
// the game's cache, and the boot script runs there.
#include "emulator/ConfigEditor.h"
#include "platform/Process.h"
#include "tests/support/GuiTest.h"

#include <csignal>
#include <cstdlib>
#include <regex>
#include <sys/wait.h>

namespace talvero {
namespace {

class FsUaeBridgeTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // The emulator renders offscreen here, whatever display the test run has.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
            m_saved.emplace_back(name, qgetenv(name));
            qunsetenv(name);
        }
    }
    void TearDown() override
    {
        // Only the emulators this test started, by the process ids the bridge recorded.
        for (const pid_t pid : RecordedPids()) {
            ::kill(pid, SIGTERM);
            WaitUntil([pid] { return ::kill(pid, 0) != 0; }, 2000);
            ::kill(pid, SIGKILL);
        }
        for (const auto& [name, value] : m_saved) {
            if (!value.isNull())
                qputenv(name, value);
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
        const std::string log = Log();
        const std::regex recorded(R"(emulator: \S+ pid (\d+))");
        for (auto it = std::sregex_iterator(log.begin(), log.end(), recorded); it != std::sregex_iterator();
             ++it)
            pids.push_back(static_cast<pid_t>(std::stol((*it)[1])));
        return pids;
    }
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

TEST_F(FsUaeBridgeTest, StartingAGameBootsARealAmigaThatRunsTheBootScript)
{
    if (FindProgramOnPath("fs-uae").empty())
        GTEST_SKIP() << "fs-uae is not installed (scripts/install-deps.sh installs it)";
    LayOutDemo(TALVERO_FSUAE_BRIDGE);
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

TEST_F(FsUaeBridgeTest, WithoutFsUaeTheBridgeSaysSoAndFails)
{
    LayOutDemo(TALVERO_FSUAE_BRIDGE);
    const std::string command = "PATH=/nonexistent '" + App("\\WinUAE\\WinUAE814r3.exe") + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(3, WEXITSTATUS(status));
    EXPECT_NE(std::string::npos, Log().find("fs-uae not found"));
    EXPECT_TRUE(RecordedPids().empty());
}

}  // namespace
}  // namespace talvero
