// A running program killed at random moments of its file work: every file it writes is found old
// or new and whole, and the next successful round leaves no temporary copy behind.
#include "nvram/NvramManager.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/FileWorker.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace talvero {
namespace {

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

// Whether a process has written anything yet (the kernel's count of bytes it wrote).
bool HasWritten(std::int64_t process)
{
    std::ifstream io("/proc/" + std::to_string(process) + "/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "wchar:")
            return value > 0;
    }
    return false;
}

class KillLoop : public test::AppFolderTest {};

TEST_F(KillLoop, EveryFileIsOldOrNewAndWholeAndNoTemporaryCopyStays)
{
    // In memory where the system offers it: a killed process leaves the same files behind on any
    // file system, and there the many fsyncs of 200 rounds cost nothing.
    const test::TestFolder app(::access("/dev/shm", W_OK) == 0 ? "/dev/shm"
                                                               : fs::temp_directory_path().string());
    LayOutDemoAppFolder(app.path(), "/bin/true");  // an emulator that ends at once
    InsertDemoCd("Akira");
    test::MakeFolders(app / "Cache/akir/nv/Akira");
    // One round in this process, as the next successful write after a kill.
    const auto round = [&](int number) {
        test::WorkerRound(static_cast<std::uint64_t>(number));
        host->ExpectMessage(kMessageRestored, MessageIcon::Information);
    };
    round(0);
    const std::map<std::string, std::string> after = Files(app.path());
    const std::string config = App(kConfigFile), saveData = App("\\Cache\\akir\\nv\\Akira\\HighScores");
    std::mt19937 random(16);
    int leftBehind = 0;  // kills that caught a copy half-way: proof that they hit during writes
    for (int kill = 1; kill <= 200; ++kill) {
        const std::int64_t worker = test::StartFileWorker({"rounds", app.path()});
        // The kill counts from the worker's first write: starting the program alone can take
        // longer than the whole window on a busy machine.
        for (int wait = 0; wait < 5000 && !HasWritten(worker); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        test::KillChild(worker);
        // Whatever the moment, each file the rounds write is one of its contents, whole.
        for (const auto& [path, content] : Files(app.path())) {
            if (path == config)
                EXPECT_EQ(test::ConfigShape(after.at(config)), test::ConfigShape(content)) << "kill " << kill;
            else if (path == saveData || path == saveData + ".bak")
                EXPECT_TRUE(content == test::SaveDataVersion(0) || content == test::SaveDataVersion(1))
                    << path << ", kill " << kill;
            else if (after.count(path))
                EXPECT_EQ(after.at(path), content) << path << ", kill " << kill;
            else
                ++leftBehind;
        }
        // The next round that completes leaves exactly the files of a round, nothing beside them.
        round(kill);
        const auto now = Files(app.path());
        ASSERT_TRUE(std::equal(now.begin(), now.end(), after.begin(), after.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }))
            << "kill " << kill;
    }
    // Without kills that landed during a write the loop above proves nothing.
    EXPECT_GT(leftBehind, 0) << "no kill caught a write half-way";
    std::printf("200 kills, %d temporary copies left by a kill and removed\n", leftBehind);
}

}  // namespace
}  // namespace talvero
