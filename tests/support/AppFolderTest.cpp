#include "tests/support/AppFolderTest.h"

#include "emulator/EmulatorInterface.h"
#include "emulator/EmulatorInterfaceTesting.h"
#include "games/GameProfiles.h"
#include "nvram/SaveDataTable.h"
#include "platform/ActivityLogTesting.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "settings/SettingsStore.h"

#include <chrono>
#include <regex>
#include <sstream>
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
    if (Exists(folder / "starts")) {
        std::istringstream ids(ReadFile(folder / "starts"));
        for (std::int64_t id = 0; ids >> id;)
            EndProcess(id);
    }
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

std::string AppFolderTest::EmulatorsThatKeepRunning()
{
    const std::string starts = folder / "starts";
    for (const char* name : {"\\WinUAE\\WinUAE814r3.exe", "\\WinUAE\\WinUAE817r3.exe"}) {
        WriteFile(App(name), "#!/bin/sh\ncat Configurations/Default.uae >/dev/null\necho $$ >>\"" + starts +
                                 "\"\nexec sleep 30\n");
        MarkExecutable(App(name));
    }
    return starts;
}

int AppFolderTest::LogLinesWith(const std::string& text) const
{
    const std::string log = Exists(folder / "talvero.log") ? ReadFile(folder / "talvero.log") : "";
    int count = 0;
    for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
        ++count;
    return count;
}

std::string AppFolderTest::WaitForLaunchLog(int records, std::chrono::seconds limit) const
{
    const std::string log = App("\\WinUAE\\launch.log");
    const std::regex record("result: ");
    std::string content;
    // One look every 20 ms.
    const auto until = std::chrono::steady_clock::now() + limit;
    for (; std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        content = Exists(log) ? ReadFile(log) : "";
        // The stand-in has ended too, so that the next start needs no question.
        if (std::distance(std::sregex_iterator(content.begin(), content.end(), record), {}) >= records &&
            !AnyEmulatorStillRunning())
            return content;
    }
    ADD_FAILURE() << "the stand-in emulator wrote no launch record in time";
    return content;
}

}  // namespace talvero::test
