#include "tests/support/AppFolderTest.h"

#include "emulator/EmulatorInterface.h"
#include "emulator/EmulatorInterfaceTesting.h"
#include "games/GameProfiles.h"
#include "nvram/SaveDataTable.h"
#include "platform/ActivityLogTesting.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <chrono>
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
    const auto row = std::ranges::find(SaveDataTable(), title, &SaveDataRow::title);
    return row == SaveDataTable().end() ? "" : App(row->dataFile);
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

std::string StandinExecutable()
{
    return BuiltProgram(TALVERO_STANDIN);
}

bool Within(std::chrono::milliseconds limit, const std::function<bool()>& condition)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// How often `text` occurs in the file at `path` (none when there is no file).
static int Occurrences(const std::string& path, const std::string& text)
{
    const std::string content = Exists(path) ? ReadFile(path) : "";
    int count = 0;
    for (auto at = content.find(text); at != std::string::npos; at = content.find(text, at + 1))
        ++count;
    return count;
}

int AppFolderTest::LogLinesWith(const std::string& text) const
{
    return Occurrences(folder / "talvero.log", text);
}

std::string AppFolderTest::WaitForLaunchLog(int records, std::chrono::seconds limit) const
{
    const std::string log = App("\\WinUAE\\launch.log");
    // The stand-in has ended too, so that the next start needs no question.
    EXPECT_TRUE(Within(limit, [&] {
        return Occurrences(log, "result: ") >= records && !AnyEmulatorStillRunning();
    })) << "the stand-in emulator wrote no launch record in time";
    return Exists(log) ? ReadFile(log) : "";
}

}  // namespace talvero::test
