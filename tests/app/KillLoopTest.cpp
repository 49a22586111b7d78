// A running program killed at random moments of its file work: every file it writes is found old
// or new and whole, and the next successful round leaves no temporary copy behind.
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "nvram/NvramManager.h"
#include "platform/AppFolder.h"
#include "platform/TextRecords.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/FileWorker.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace talvero {
namespace {

constexpr int kKills = 200;

// Every file below a folder with its content.
std::map<std::string, std::string> Files(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[entry.path().string()] = test::ReadFile(entry.path().string());
    }
    return files;
}

// The configuration file's keys in order and its complete last line: what a tear would change.
std::vector<std::string> Shape(const std::string& config)
{
    std::vector<std::string> keys;
    for (const std::string& line : SplitRecords(config))
        keys.push_back(line.substr(0, line.find('=')));
    keys.push_back(config.size() >= 2 ? config.substr(config.size() - 2) : config);
    return keys;
}

class KillLoop : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        // An emulator that ends at once: the rounds start it many times.
        LayOutDemoAppFolder(app.path(), "/bin/true");
        InsertDemoCd("Akira");
        test::MakeFolders(app / "Cache/akir/nv/Akira");
    }
    // In memory where the system offers it: a killed process leaves the same files behind on any
    // file system, and there the many fsyncs of 200 rounds cost nothing.
    test::TestFolder app{::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : fs::temp_directory_path().string()};
    // One round in this process, as the next successful write after a kill.
    void Round(std::uint64_t round)
    {
        test::WorkerRound(round);
        ASSERT_EQ(1u, host->PendingMessages());
        EXPECT_EQ(kMessageRestored, host->TakeMessage().text);
    }
};

TEST_F(KillLoop, EveryFileIsOldOrNewAndWholeAndNoTemporaryCopyStays)
{
    Round(0);
    const std::map<std::string, std::string> after = Files(app.path());
    const std::string config = App(kConfigFile), saveData = App("\\Cache\\akir\\nv\\Akira\\HighScores");
    const std::string versions[] = {test::SaveDataVersion(0), test::SaveDataVersion(1)};
    std::mt19937 random(16);
    std::uniform_int_distribution<int> moment(0, 40000);
    int leftBehind = 0;  // kills that caught a copy half-way: proof that they hit during writes
    for (int kill = 1; kill <= kKills; ++kill) {
        const std::int64_t worker = test::StartFileWorker({"rounds", app.path(), "0"});
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        test::KillChild(worker);
        // Whatever the moment, each file the rounds write is one of its contents, whole.
        for (const auto& [path, content] : Files(app.path())) {
            if (path == config)
                EXPECT_EQ(Shape(after.at(config)), Shape(content)) << "kill " << kill;
            else if (path == saveData || path == saveData + ".bak")
                EXPECT_TRUE(content == versions[0] || content == versions[1]) << path << ", kill " << kill;
            else if (after.count(path))
                EXPECT_EQ(after.at(path), content) << path << ", kill " << kill;
            else
                ++leftBehind;
        }
        // The next round that completes leaves exactly the files of a round, nothing beside them.
        Round(static_cast<std::uint64_t>(kill));
        const auto now = Files(app.path());
        ASSERT_TRUE(std::equal(now.begin(), now.end(), after.begin(), after.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }))
            << "kill " << kill;
    }
    std::printf("%d kills, %d temporary copies left by a kill and removed\n", kKills, leftBehind);
}

}  // namespace
}  // namespace talvero
