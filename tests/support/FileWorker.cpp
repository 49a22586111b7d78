#include "tests/support/FileWorker.h"

#include "emulator/ConfigEditor.h"
#include "install/Installer.h"
#include "nvram/NvramManager.h"
#include "nvram/SaveDataTable.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/Process.h"
#include "tests/support/TestPlatform.h"

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace talvero::test {

namespace {

// A worker has nobody to show a box to: a failure message ends it with an error, others pass.
class WorkerHost final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override
    {
        if (request.icon == MessageIcon::Critical)
            throw std::runtime_error(request.text);
        return MessageAnswer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
    void EndProgramNow() override { throw std::runtime_error("the program would end now"); }
};

}  // namespace

void WorkerRound(std::uint64_t round)
{
    SetConfigValue("config_description=", "round " + std::to_string(round));
    const std::string saveData = AppPath("\\Cache\\akir\\nv\\Akira\\HighScores");
    ReplaceFileContents(saveData + ".bak", SaveDataVersion(round));
    RestoreSaveData(BackupEntry("Akira"));
    InstallGame("Akira", InstallerOptions{});
}

std::string SaveDataVersion(std::uint64_t round)
{
    return std::string(1 << 20, round % 2 ? 'B' : 'A') + "end of save data";
}

int RunFileWorker(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 2, argv + argc);
    WorkerHost host;
    SetHost(&host);
    try {
        const bool config = args.size() == 4 && args[0] == "config";
        if (!config && !(args.size() == 3 && args[0] == "rounds"))
            throw std::invalid_argument("unknown arguments");
        SetAppFolder(args[1]);
        if (config) {
            for (int i = 1, count = std::stoi(args[3]); i <= count; ++i)
                SetConfigValue(args[2], std::to_string(i));
        } else {
            for (std::uint64_t round = 1, count = std::stoull(args[2]); count == 0 || round <= count; ++round)
                WorkerRound(round);
        }
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

}  // namespace talvero::test
