#include "tests/support/AppFolderTest.h"

#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "nvram/SaveDataTable.h"
#include "platform/ActivityLog.h"
#include "platform/AppFolder.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "settings/SettingsStore.h"

#include <chrono>
#include <thread>

namespace talvero::test {

void AppFolderTest::SetUp()
{
    SetAppFolder(folder.path());
    host = std::make_unique<ScriptedHost>();
    SetSettingsBackend(std::make_unique<MemorySettingsBackend>());
    // Each test is a fresh program: no emulator of an earlier test, a log of its own.
    talvero::testing::ForgetStartedEmulator();
    talvero::testing::SetLogFile(folder / "talvero.log");
}

void AppFolderTest::TearDown()
{
    faults::SetReplaceHook(nullptr);
    UnmapDrives();
    host.reset();
}

std::string AppFolderTest::SaveDataFile(const std::string& title) const
{
    for (const SaveDataRow& row : SaveDataTable()) {
        if (row.title == title)
            return App(row.dataFile);
    }
    return {};
}

void AppFolderTest::InsertDemoCd(const std::string& title, const std::string& drive)
{
    CreateFolderIfMissing(App("\\Drives"));
    LayOutDemoCd(*FindProfile(title), App("\\Drives\\" + drive));
    MapDrive(drive.front(), App("\\Drives\\" + drive));
}

std::string AppFolderTest::WaitForLaunchLog(int records) const
{
    const std::string log = App("\\WinUAE\\launch.log");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    std::string content;
    while (std::chrono::steady_clock::now() < deadline) {
        content = Exists(log) ? ReadFile(log) : "";
        int found = 0;
        for (std::size_t at = content.find("result: "); at != std::string::npos;
             at = content.find("result: ", at + 1))
            ++found;
        // The stand-in has ended too, so that the next start needs no question.
        if (found >= records && !EmulatorStillRunning())
            return content;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "the stand-in emulator wrote no launch record in time";
    return content;
}

}  // namespace talvero::test
