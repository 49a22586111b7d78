// The configuration file editor: the rewrite of the text, then on a real Default.uae.
#include "emulator/ConfigEditor.h"

#include "demo/DemoFolder.h"
#include "platform/AppFolder.h"
#include "platform/FaultHooks.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/TextRecords.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/FileWorker.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace talvero {
namespace {

TEST(ConfigEditor, RewritesTheLastLineOfTheKeyAndKeepsEveryOther)
{
    const struct {
        const char* why;
        const char* before;
        const char* key;
        const char* value;
        const char* after;
    } edits[] = {
        {"one line replaced, every line ends CR LF", "; c\r\nchipset=ocs\r\n\r\ncpu=68020\rgfx=double",
         "chipset=", "aga", "; c\r\nchipset=aga\r\n\r\ncpu=68020\r\ngfx=double\r\n"},
        {"the last of several", "joyport1=joy0\r\nx=1\r\njoyport1=joy1\r\ny=2\r\n", "joyport1=", "kbd2",
         "joyport1=joy0\r\nx=1\r\njoyport1=kbd2\r\ny=2\r\n"},
        {"empty value", "hardfile=rw,32,1,2,512,C:\\x.hdf\r\n", "hardfile=", "", "hardfile=\r\n"},
        {"a key alone is matched", "hardfile=\r\n", "hardfile=", "rw,D:\\y", "hardfile=rw,D:\\y\r\n"},
        {"exact, case-sensitive, untrimmed", "Chipset=ocs\r\n chipset=ocs\r\njoyport10=joy0\r\n",
         "chipset=", "aga", "Chipset=ocs\r\n chipset=ocs\r\njoyport10=joy0\r\nchipset=aga\r\n"},
        {"the key's = counts", "joyport10=joy0\r\n", "joyport1=", "kbd2",
         "joyport10=joy0\r\njoyport1=kbd2\r\n"},
        {"a lone LF stays inside its line", "a=1\nstill a\r\nb=2\r\n", "b=", "3", "a=1\nstill a\r\nb=3\r\n"},
        {"8-bit text byte for byte", "d=Gr\xFC\xDF\r\nchipset=ocs\r\n", "chipset=", "aga",
         "d=Gr\xFC\xDF\r\nchipset=aga\r\n"},
        {"an absent key is appended", "a=1\r\nb=2", "sound_output=", "normal",
         "a=1\r\nb=2\r\nsound_output=normal\r\n"},
        {"an empty file", "", "x=", "y", "x=y\r\n"},
    };
    for (const auto& edit : edits)
        EXPECT_EQ(edit.after, WithConfigValue(edit.before, edit.key, edit.value)) << edit.why;
    EXPECT_EQ(std::optional<std::size_t>(2), LastLineWithKey({"a=1", "b=2", "a=3", "ab=4"}, "a="));
    EXPECT_EQ(std::nullopt, LastLineWithKey({"A=1", " a=2"}, "a="));
}

class ConfigEditorTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::WriteFile(App(kConfigFile), "chipset=ocs\r\n");
    }
    int FailureOf(const std::string& key, const std::string& value)
    {
        return test::ErrorNumberOf([&] { SetConfigValue(key, value); });
    }
};

TEST_F(ConfigEditorTest, WritesTheFileAndALeftoverDefaultNewGoes)
{
    for (const char* value : {"aga", "aga"}) {  // changed, then unchanged
        test::WriteFile(App(kConfigTempFile), "stale content from an earlier failure");
        SetConfigValue("chipset=", value);
        EXPECT_EQ("chipset=aga\r\n", Config());
        EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    }
    SetConfigValues({{"a=", "1"}, {"chipset=", "ocs"}, {"a=", "2"}});  // in order
    EXPECT_EQ("chipset=ocs\r\na=2\r\n", Config());
    // A refused line keeps the lines before it.
    EXPECT_EQ(5, test::ErrorNumberOf([] { SetConfigValues({{"b=", "1"}, {"c=", "x\ny"}, {"d=", "1"}}); }));
    EXPECT_EQ("chipset=ocs\r\na=2\r\nb=1\r\n", Config());
    std::filesystem::remove(App(kConfigFile));
    EXPECT_EQ(53, FailureOf("chipset=", "aga"));
    EXPECT_FALSE(test::Exists(App(kConfigFile)) || test::Exists(App(kConfigTempFile)));
    test::TestFolder empty;
    SetAppFolder(empty.path());
    EXPECT_EQ(76, FailureOf("chipset=", "aga"));
}

TEST_F(ConfigEditorTest, FailuresLeaveDefaultUaeAsItWas)
{
    // A line break in the key or the value would add lines of its own.
    EXPECT_EQ(5, FailureOf("chipset=", "aga\r\nkickstart_rom_file=evil.rom"));
    EXPECT_EQ(5, FailureOf("chip\nset=", "aga"));
    EXPECT_EQ(5, FailureOf("chipset=", "aga\r"));
    faults::SetReplaceHook([](faults::ReplaceStep step, const std::string& path) {
        if (step == faults::ReplaceStep::PartWritten && path.find("Default.uae") != std::string::npos)
            throw FileError(ErrorNumber::DiskFull, "disk full");
    });
    EXPECT_EQ(61, FailureOf("chipset=", "aga"));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));  // the unfinished copy goes with the failure
    faults::SetReplaceHook(nullptr);
    test::MakeReadOnly(App(kConfigFile));
    EXPECT_EQ(75, FailureOf("chipset=", "aga"));
    EXPECT_EQ(75, FailureOf("chipset=", "ocs"));  // unchanged, but it could not have been written
    EXPECT_EQ("chipset=ocs\r\n", Config());
    if (test::ReadOnlyFoldersAreEnforced()) {
        test::MakeWritable(App(kConfigFile));
        test::MakeReadOnly(folder / "WinUAE/Configurations");
        EXPECT_EQ(75, FailureOf("chipset=", "aga"));
        EXPECT_EQ("chipset=ocs\r\n", Config());
    }
}

TEST_F(ConfigEditorTest, TheTemplateHoldsEveryKeyTalveroSetsOnce)
{
    test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
    for (const char* key : {"gfx_framerate=", "cachesize=", "chipset=", "gfx_immediate_blits=", "hardfile=",
                            "win32.map_drives=", "sound_output=", "filesystem=", "kickstart_rom_file=",
                            "joyport1=", "gfx_linemode="}) {
        const std::size_t lines = ConfigLines().size();
        SetConfigValue(key, "probe");
        EXPECT_EQ(lines, ConfigLines().size()) << key << " is not in the template";
    }
}

// The keys of a file in their order, and whether it ends with a whole line: what a torn write breaks.
std::pair<std::vector<std::string>, bool> Shape(const std::string& content)
{
    std::vector<std::string> keys;
    for (const std::string& line : SplitRecords(content))
        keys.push_back(line.substr(0, line.find('=')));
    return {keys, content.size() >= 2 && content.compare(content.size() - 2, 2, "\r\n") == 0};
}

TEST_F(ConfigEditorTest, TwoRunningCopiesTakeTurnsTheFileStaysWholeAndNoChangeIsLost)
{
    const std::string calls = "1000";
    test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
    const auto whole = Shape(DefaultUaeTemplate());
    const std::int64_t copies[] = {test::StartFileWorker({"config", folder.path(), "cpu_speed=", calls}),
                                   test::StartFileWorker({"config", folder.path(), "gfx_width=", calls})};
    std::atomic<bool> finished{false};
    int statuses[2] = {-1, -1};
    std::thread waiter([&] {
        statuses[0] = test::WaitForChild(copies[0]);
        statuses[1] = test::WaitForChild(copies[1]);
        finished = true;
    });
    int looks = 0, torn = 0;
    for (; !finished; ++looks) {
        torn += Shape(ReadFileBytes(App(kConfigFile))) != whole;
        // A pause between looks: on Windows an open reader holds off the replace meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    waiter.join();
    EXPECT_EQ(0, statuses[0]);
    EXPECT_EQ(0, statuses[1]);
    EXPECT_EQ(0, torn) << "of " << looks << " looks while both copies wrote";
    EXPECT_EQ(whole, Shape(Config()));
    EXPECT_EQ(calls, ConfigValue("cpu_speed="));
    EXPECT_EQ(calls, ConfigValue("gfx_width="));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

}  // namespace
}  // namespace talvero
