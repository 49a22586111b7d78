// The configuration file editor, on a real Default.uae below a temporary AppFolder.
#include "emulator/ConfigEditor.h"
#include "demo/DemoFolder.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/TextRecords.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/FileWorker.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace talvero {
namespace {

class ConfigEditorTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::MakeFolders(folder / "WinUAE/Configurations");
    }
    void Write(const std::string& content) { test::WriteFile(App(kConfigFile), content); }
    int FailureOf(const std::string& key, const std::string& value)
    {
        try {
            SetConfigValue(key, value);
        } catch (const FileError& error) {
            return error.number();
        }
        return 0;
    }
};

TEST_F(ConfigEditorTest, ReplacesTheOneMatchingLineAndEndsEveryLineWithCrLf)
{
    Write("; comment\r\nchipset=ocs\r\n\r\ncpu_type=68020\rgfx_linemode=double");
    SetConfigValue("chipset=", "aga");
    EXPECT_EQ("; comment\r\nchipset=aga\r\n\r\ncpu_type=68020\r\ngfx_linemode=double\r\n", Config());
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

TEST_F(ConfigEditorTest, OnlyTheLastOfSeveralMatchingLinesIsReplaced)
{
    Write("joyport1=joy0\r\nx=1\r\njoyport1=joy1\r\ny=2\r\n");
    SetConfigValue("joyport1=", "kbd2");
    EXPECT_EQ("joyport1=joy0\r\nx=1\r\njoyport1=kbd2\r\ny=2\r\n", Config());
}

TEST_F(ConfigEditorTest, AnEmptyValueLeavesTheKeyAloneAndAKeyAloneIsMatched)
{
    Write("hardfile=rw,32,1,2,512,C:\\x.hdf\r\n");
    SetConfigValue("hardfile=", "");
    EXPECT_EQ("hardfile=\r\n", Config());
    SetConfigValue("hardfile=", "rw,32,1,2,512,D:\\y.hdf");
    EXPECT_EQ("hardfile=rw,32,1,2,512,D:\\y.hdf\r\n", Config());
}

TEST_F(ConfigEditorTest, MatchingIsExactCaseSensitiveUntrimmedAndIncludesTheEqualsSign)
{
    Write("Chipset=ocs\r\n chipset=ocs\r\njoyport10=joy0\r\nchipset=ocs\r\n");
    SetConfigValue("chipset=", "aga");
    SetConfigValue("joyport1=", "kbd2");
    EXPECT_EQ("Chipset=ocs\r\n chipset=ocs\r\njoyport10=joy0\r\nchipset=aga\r\njoyport1=kbd2\r\n", Config());
}

TEST_F(ConfigEditorTest, ALoneLineFeedStaysInsideItsLine)
{
    Write("a=1\nstill a\r\nb=2\r\n");
    SetConfigValue("b=", "3");
    EXPECT_EQ("a=1\nstill a\r\nb=3\r\n", Config());
}

TEST_F(ConfigEditorTest, EightBitTextPassesThroughByteForByte)
{
    Write("config_description=Gr\xFC\xDF" "e \xA9\r\nchipset=ocs\r\n");
    SetConfigValue("chipset=", "aga");
    EXPECT_EQ("config_description=Gr\xFC\xDF" "e \xA9\r\nchipset=aga\r\n", Config());
}

TEST_F(ConfigEditorTest, AnAbsentKeyIsAppendedAndNothingElseChanges)
{
    Write("a=1\r\nb=2");
    SetConfigValue("sound_output=", "normal");
    EXPECT_EQ("a=1\r\nb=2\r\nsound_output=normal\r\n", Config());
    Write("");
    SetConfigValue("x=", "y");
    EXPECT_EQ("x=y\r\n", Config());
}

TEST_F(ConfigEditorTest, ALeftoverDefaultNewIsOverwrittenAndThenDeleted)
{
    Write("chipset=ocs\r\n");
    test::WriteFile(App(kConfigTempFile), "stale content from an earlier failure");
    SetConfigValue("chipset=", "aga");
    EXPECT_EQ("chipset=aga\r\n", Config());
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

TEST_F(ConfigEditorTest, MissingFileIs53MissingFolderIs76AndNothingIsCreated)
{
    EXPECT_EQ(53, FailureOf("chipset=", "aga"));
    EXPECT_FALSE(test::Exists(App(kConfigFile)));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    test::TestFolder empty;
    SetAppFolder(empty.path());
    EXPECT_EQ(76, FailureOf("chipset=", "aga"));
}

TEST_F(ConfigEditorTest, ReadOnlyDefaultUaeIs75AndStaysAsItWas)
{
    Write("chipset=ocs\r\n");
    test::MakeReadOnly(App(kConfigFile));
    EXPECT_EQ(75, FailureOf("chipset=", "aga"));
    EXPECT_EQ("chipset=ocs\r\n", Config());
}

TEST_F(ConfigEditorTest, UnwritableConfigurationFolderIs75)
{
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    Write("chipset=ocs\r\n");
    test::MakeReadOnly(folder / "WinUAE/Configurations");
    EXPECT_EQ(75, FailureOf("chipset=", "aga"));
    EXPECT_EQ("chipset=ocs\r\n", Config());
}

TEST_F(ConfigEditorTest, AFailureInTheMiddleOfTheReplaceLeavesDefaultUaeWhole)
{
    Write(DefaultUaeTemplate());
    talvero::testing::SetReplaceFaultHook([](const std::string& path) {
        if (path.find("Default.uae") != std::string::npos)
            throw FileError(61, "disk full");
    });
    EXPECT_EQ(61, FailureOf("chipset=", "ocs"));
    EXPECT_EQ(DefaultUaeTemplate(), Config());
    // The unfinished copy goes with the failure.
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

TEST_F(ConfigEditorTest, LineBreaksInAKeyOrValueAreRefusedAndTheFileStays)
{
    Write("chipset=ocs\r\n");
    EXPECT_EQ(5, FailureOf("chipset=", "aga\r\nkickstart_rom_file=evil.rom"));
    EXPECT_EQ(5, FailureOf("chip\nset=", "aga"));
    EXPECT_EQ(5, FailureOf("chipset=", "aga\r"));
    EXPECT_EQ("chipset=ocs\r\n", Config());
}

TEST_F(ConfigEditorTest, TheTemplateHoldsEveryKeyTalveroSetsOnce)
{
    Write(DefaultUaeTemplate());
    for (const char* key : {"gfx_framerate=", "cachesize=", "chipset=", "gfx_immediate_blits=", "hardfile=",
                            "win32.map_drives=", "sound_output=", "filesystem=", "kickstart_rom_file=", "joyport1=",
                            "gfx_linemode="}) {
        const std::size_t linesBefore = ConfigLines().size();
        SetConfigValue(key, "probe");
        EXPECT_EQ(linesBefore, ConfigLines().size()) << key << " is not in the template";
        EXPECT_EQ("probe", ConfigValue(key)) << key;
    }
}

// The keys of a file's lines in order, and whether its last line is complete: a torn or
// half-written file differs from the template in one of them.
std::pair<std::vector<std::string>, bool> Shape(const std::string& content)
{
    std::vector<std::string> keys;
    for (const std::string& line : SplitRecords(content))
        keys.push_back(line.substr(0, line.find('=')));
    return {keys, content.size() >= 2 && content.compare(content.size() - 2, 2, "\r\n") == 0};
}

TEST_F(ConfigEditorTest, TwoRunningCopiesTakeTurnsTheFileStaysWholeAndNoChangeIsLost)
{
    constexpr int kCalls = 1000;
    Write(DefaultUaeTemplate());
    const auto whole = Shape(DefaultUaeTemplate());
    const std::int64_t copies[] = {
        test::StartFileWorker({"config", folder.path(), "cpu_speed=", std::to_string(kCalls)}),
        test::StartFileWorker({"config", folder.path(), "gfx_width=", std::to_string(kCalls)})};
    std::atomic<bool> finished{false};
    int statuses[2] = {-1, -1};
    std::thread waiter([&] {
        for (int i = 0; i < 2; ++i)
            statuses[i] = test::WaitForChild(copies[i]);
        finished = true;
    });
    int looks = 0;
    int torn = 0;
    while (!finished) {
        ++looks;
        if (Shape(ReadFileBytes(App(kConfigFile))) != whole)
            ++torn;
        // A pause between looks: on Windows an open reader holds off the replace meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    waiter.join();
    EXPECT_EQ(0, statuses[0]);
    EXPECT_EQ(0, statuses[1]);
    EXPECT_EQ(0, torn) << "of " << looks << " looks while both copies wrote";
    EXPECT_EQ(whole, Shape(Config()));
    EXPECT_EQ(std::to_string(kCalls), ConfigValue("cpu_speed="));
    EXPECT_EQ(std::to_string(kCalls), ConfigValue("gfx_width="));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

}  // namespace
}  // namespace talvero
