// What the options dialog does with its fields: loading, checking and saving them.
#include "config/OptionsLogic.h"

#include "emulator/ConfigEditor.h"
#include "settings/SettingsStore.h"
#include "tests/support/AppFolderTest.h"

#include <filesystem>

namespace talvero {
namespace {

class OptionsLogicTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::WriteFile(App(kConfigFile), "joyport1=mouse\r\n");
    }
    std::string Setting(const char* key) { return Settings().Read(key, std::string("<absent>")); }
    static std::string Fields(const OptionsState& s)
    {
        return s.drive + "|" + std::to_string(s.port) + "|" + s.romFile + "|" + std::to_string(s.scanlines) +
               "|" + std::to_string(s.soundEmulation);
    }
};

TEST(DriveText, IsNormalisedThenValidated)
{
    std::string normalised, valid;
    for (const char* typed : {"d", "d:\\", "e: ", "  e:", ":", "1:", "CD", "   "})
        normalised += NormaliseDrive(typed) + "|";
    EXPECT_EQ("D:|D:|E:|E:|::|1:|CD||", normalised);
    for (const char* drive : {"A:", "D:", "Z:", "", "::", "1:", "CD", "D", "\xC4:"})
        valid += IsValidDrive(drive) ? "+" : "-";
    EXPECT_EQ("+++------", valid);
}

// The controller choice 0, 1, 2 writes kbd2, joy0, joy1 over whatever the line held; no choice leaves it.
TEST_F(OptionsLogicTest, SavingWritesTheFourLinesThenTheFiveSettings)
{
    std::string ports;
    for (int port : {0, 1, 2, -1}) {
        test::WriteFile(App(kConfigFile), "joyport1=mouse\r\n");
        OptionsState state{"d", port, "kick31.rom", false, true};
        EXPECT_TRUE(SaveOptions(state));
        ports += ConfigValue("joyport1=") + "/" + Setting(SettingKey::Port1) + " ";
    }
    EXPECT_EQ("kbd2/0 joy0/1 joy1/2 mouse/-1 ", ports);
    EXPECT_EQ("normal|double", ConfigValue("sound_output=") + "|" + ConfigValue("gfx_linemode="));
    OptionsState state{"e: ", 1, "  my kick.rom  ", true, false};
    EXPECT_TRUE(SaveOptions(state));
    EXPECT_EQ((std::vector<std::string>{"joyport1=joy0", "kickstart_rom_file=my kick.rom",
                                        "sound_output=interrupts", "gfx_linemode=scanlines"}),
              ConfigLines());
    EXPECT_EQ("E:|1|my kick.rom|1|0", Setting(SettingKey::Drive) + "|" + Setting(SettingKey::Port1) + "|" +
                                          Setting(SettingKey::ROMfile) + "|" +
                                          Setting(SettingKey::Scanlines) + "|" + Setting(SettingKey::SndEmu));
}

TEST_F(OptionsLogicTest, AnInvalidDriveOrAMissingConfigurationSavesNothing)
{
    for (const char* drive : {"", ":", "1:", "CD"}) {
        OptionsState state{drive, 1, "kick31.rom", true, true};
        EXPECT_FALSE(SaveOptions(state));
        host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    }
    EXPECT_EQ("joyport1=mouse\r\n", Config());
    std::filesystem::remove(App(kConfigFile));
    OptionsState state{"g:", 1, "kick31.rom", true, true};
    EXPECT_FALSE(SaveOptions(state));
    host->ExpectMessage("Error writing to file. Options not saved.");
    EXPECT_EQ("<absent>", Setting(SettingKey::Drive));
}

TEST_F(OptionsLogicTest, LoadingGivesDefaultsAndUnusableValuesLeaveTheirFields)
{
    OptionsState state;
    LoadOptions(state);
    EXPECT_EQ("D:|0|kick31.rom|0|1", Fields(state));
    Settings().Write(SettingKey::Port1, "7");
    Settings().Write(SettingKey::Scanlines, "maybe");
    Settings().Write(SettingKey::SndEmu, "0");
    Settings().Write(SettingKey::Drive, "E:\\");
    state.scanlines = true;
    LoadOptions(state);
    EXPECT_EQ("E:\\|-1|kick31.rom|1|0", Fields(state));
    Settings().Write(SettingKey::Port1, "2");
    LoadOptions(state);
    EXPECT_EQ(2, state.port);
}

TEST_F(OptionsLogicTest, TheKickstartNeeds40AtOffset160AndAnUnreadablePathChangesNothing)
{
    std::string rom(1024, 'x');
    rom[160] = '4';
    rom[161] = '0';
    test::WriteFile(folder / "Kickstart v3.1 (A1200).bin", rom);
    test::WriteFile(folder / "small.rom", rom.substr(0, 162));
    rom[161] = '1';
    test::WriteFile(folder / "kick13.rom", rom);
    test::WriteFile(folder / "short.rom", std::string(161, '4'));
    test::MakeFolders(folder / "dir.rom");
    std::string fields;  // "path": the chosen file's path
    for (const char* name :
         {"Kickstart v3.1 (A1200).bin", "small.rom", "short.rom", "dir.rom", "missing.rom", "kick13.rom"}) {
        host->ChooseNextFile(folder / name);
        const std::string field = ChooseKickstart("old");
        fields += (field == folder / name ? "path" : field) + "|";
    }
    EXPECT_EQ("path|path|old|old|old||", fields);
    host->ExpectMessage("This is not a valid Kickstart ROM file.");
    host->ChooseNextFile(std::nullopt);
    EXPECT_EQ("old", ChooseKickstart("old"));
    EXPECT_EQ("Select Kickstart 3.1-ROM...", host->fileRequests.back().title);
    EXPECT_EQ("Kickstart-ROM (*.rom)", host->fileRequests.back().filterDescription);
}

}  // namespace
}  // namespace talvero
