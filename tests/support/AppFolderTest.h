#pragma once

#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "emulator/standin/LaunchCheck.h"
#include "platform/AppFolder.h"
#include "platform/TextRecords.h"
#include "tests/support/ScriptedHost.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPlatform.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace talvero::test {

/// Whether `condition` holds within `limit`, looking every 20 ms.
bool Within(std::chrono::milliseconds limit, const std::function<bool()>& condition);

/// A fresh AppFolder in a temporary folder, a scripted host, and an empty settings store.
class AppFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// AppFolder followed by a relative path spelled with backslashes.
    std::string App(const std::string& relative) const { return AppPath(relative); }
    /// The save-data file of a game that keeps one (its path from the save-data table).
    std::string SaveDataFile(const std::string& title) const;
    /// Data files, support pack, emulator folder with the stand-in (or `emulator`), Default.uae.
    void LayOutDemo(const std::string& emulator = StandinExecutable())
    {
        LayOutDemoAppFolder(folder.path(), emulator);
    }
    /// A fake CD for a game as drive D: (AppFolder/Drives/D).
    void InsertDemoCd(const std::string& title, const std::string& drive = "D");
    std::string Config() const { return ReadFile(App(kConfigFile)); }
    std::vector<std::string> ConfigLines() const { return SplitRecords(Config()); }
    /// The value of the last configuration line that begins with `key`.
    std::string ConfigValue(const std::string& key) const
    {
        return ConfigLineValue(Config(), key).value_or("<absent>");
    }
    /// How often `text` occurs in the program's log.
    int LogLinesWith(const std::string& text) const;
    /// The stand-in's log, once it holds `records` launch records and the stand-in has ended.
    std::string WaitForLaunchLog(int records = 1, std::chrono::seconds limit = std::chrono::seconds(15)) const;
    /// Makes both emulators a shell script that reads its configuration, notes its process id in
    /// the returned file and keeps running; the test's end ends them.
    std::string EmulatorsThatKeepRunning();

    TestFolder folder;
    std::unique_ptr<ScriptedHost> host;
};

}  // namespace talvero::test
