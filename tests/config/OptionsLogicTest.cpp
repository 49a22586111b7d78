// Drive normalisation, the Kickstart check and loading the options from the settings.
#include "settings/SettingsStore.h"
#include "config/OptionsLogic.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

TEST(DriveText, IsNormalisedAndValidated)
{
    EXPECT_EQ("D:", NormaliseDrive("d"));
    EXPECT_EQ("D:", NormaliseDrive("d:\\"));
    EXPECT_EQ("E:", NormaliseDrive("e: "));
    EXPECT_EQ("E:", NormaliseDrive("  e:"));
    EXPECT_EQ("::", NormaliseDrive(":"));
    EXPECT_EQ("1:", NormaliseDrive("1:"));
    EXPECT_EQ("CD", NormaliseDrive("CD"));
    EXPECT_EQ("", NormaliseDrive("   "));
    for (const char* valid : {"A:", "D:", "Z:"})
        EXPECT_TRUE(IsValidDrive(valid)) << valid;
    for (const char* invalid : {"", "::", "1:", "CD", "D", "\xC4:"})
        EXPECT_FALSE(IsValidDrive(invalid)) << invalid;
}

class KickstartTest : public test::AppFolderTest {};

TEST_F(KickstartTest, FortyAtOffset160AcceptsAnyNameOtherContentRejects)
{
    std::string rom(524288, '\0');
    rom[160] = '4';
    rom[161] = '0';
    test::WriteFile(folder / "any name.bin", rom);
    EXPECT_EQ(KickstartCheck::Accepted, CheckKickstartFile(folder / "any name.bin"));
    std::string small(162, 'x');
    small[160] = '4';
    small[161] = '0';
    test::WriteFile(folder / "small.rom", small);
    EXPECT_EQ(KickstartCheck::Accepted, CheckKickstartFile(folder / "small.rom"));
    rom[161] = '1';
    test::WriteFile(folder / "kick13.rom", rom);
    EXPECT_EQ(KickstartCheck::Rejected, CheckKickstartFile(folder / "kick13.rom"));
}

TEST_F(KickstartTest, ShortMissingOrFolderPathsChangeNothing)
{
    test::WriteFile(folder / "short.rom", std::string(161, '4'));
    test::MakeFolders(folder / "dir.rom");
    EXPECT_EQ(KickstartCheck::Unchanged, CheckKickstartFile(folder / "short.rom"));
    EXPECT_EQ(KickstartCheck::Unchanged, CheckKickstartFile(folder / "missing.rom"));
    EXPECT_EQ(KickstartCheck::Unchanged, CheckKickstartFile(folder / "dir.rom"));
}

class LoadOptionsTest : public test::AppFolderTest {};

TEST_F(LoadOptionsTest, AnEmptyStoreGivesTheDefaults)
{
    OptionsState state;
    LoadOptions(state);
    EXPECT_EQ("D:", state.drive);
    EXPECT_EQ(0, state.port);
    EXPECT_EQ("kick31.rom", state.romFile);
    EXPECT_FALSE(state.scanlines);
    EXPECT_TRUE(state.soundEmulation);
}

TEST_F(LoadOptionsTest, UnusableValuesLeaveFieldsOrTheControllerUnchosen)
{
    Settings().Write(SettingKey::Port1, "7");
    Settings().Write(SettingKey::Scanlines, "maybe");
    Settings().Write(SettingKey::SndEmu, "0");
    Settings().Write(SettingKey::Drive, "E:\\");
    OptionsState state;
    state.scanlines = true;
    LoadOptions(state);
    EXPECT_EQ(-1, state.port);
    EXPECT_TRUE(state.scanlines);
    EXPECT_FALSE(state.soundEmulation);
    EXPECT_EQ("E:\\", state.drive);
    Settings().Write(SettingKey::Port1, "joystick");
    state.port = 2;
    LoadOptions(state);
    EXPECT_EQ(-1, state.port);
}

}  // namespace
}  // namespace talvero
