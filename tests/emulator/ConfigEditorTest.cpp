// The configuration file editor, on a real Default.uae below a temporary AppFolder.
#include "emulator/ConfigEditor.h"
#include "demo/DemoFolder.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"


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
    // The complete new copy stays behind, as after any failure in the replace.
    EXPECT_TRUE(test::Exists(App(kConfigTempFile)));
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

}  // namespace
}  // namespace talvero
