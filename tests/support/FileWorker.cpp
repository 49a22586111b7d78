#include "tests/support/FileWorker.h"

#include "app/StartGame.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "nvram/NvramManager.h"
#include "nvram/SaveDataTable.h"
#include "platform/ActivityLog.h"
#include "platform/ActivityLogTesting.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/TextRecords.h"
#include "platform/cdimage/CdRoot.h"
#include "tests/support/ScriptedHost.h"
#include "tests/support/TestPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace talvero::test {

void WorkerRound(std::uint64_t round)
{
    SetConfigValue("config_description=", "round " + std::to_string(round));
    ReplaceFileContents(AppPath("\\Cache\\akir\\nv\\Akira\\HighScores.bak"), SaveDataVersion(round));
    RestoreSaveData(BackupEntry("Akira"));
    const GameProfile& akira = *FindProfile("Akira");
    RunReportingFailures([&] { InstallGame(akira, CacheFolderPath(akira), CdRoot::Open("D:"), {}); });
}

std::string SaveDataVersion(std::uint64_t round)
{
    return std::string(1 << 20, round % 2 ? 'B' : 'A') + "end of save data";
}

// Start game of one title, round after round, each once the emulator of the round before has
// ended: arguments title, drive, frameskip, JIT compiler, sound emulation (each 0 or 1), rounds.
void StartRounds(const std::vector<std::string>& args)
{
    testing::SetLogFile(JoinPath(args.at(1), "talvero-" + args.at(2) + ".log"));
    const InstallerOptions options{args.at(3), args.at(6) == "1"};
    for (int round = 0; round < std::stoi(args.at(7)); ++round) {
        if (StartGame(args.at(2), {args.at(4) == "1", args.at(5) == "1"}, [&] { return options; }) !=
            StartResult::Started)
            throw std::runtime_error("round " + std::to_string(round) + " started no emulator");
        while (AnyEmulatorStillRunning())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int RunFileWorker(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 2, argv + argc);
    ScriptedHost host;  // answers and keeps the rounds' message boxes
    try {
        SetAppFolder(args.at(1));
        for (int i = 1; args.at(0) == "config" && i <= std::stoi(args.at(3)); ++i)
            SetConfigValue(args.at(2), std::to_string(i));
        for (std::uint64_t round = 1; args.at(0) == "rounds"; ++round)
            WorkerRound(round);
        if (args.at(0) == "starts")
            StartRounds(args);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "file worker: %s\n", failure.what());
        return 1;
    }
}

std::int64_t StartFileWorker(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all{kFileWorkerSwitch};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return StartChild(RunningExecutablePath(), all);
}

std::vector<std::string> ConfigShape(const std::string& content)
{
    std::vector<std::string> keys;
    for (const std::string& line : SplitRecords(content))
        keys.push_back(line.substr(0, line.find('=')));
    keys.push_back(content.substr(content.size() - std::min<std::size_t>(content.size(), 2)));
    return keys;
}

}  // namespace talvero::test
