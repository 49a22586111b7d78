// What the options dialog does with its fields: loading, checking and saving them.
#include "config/OptionsLogic.h"

#include "settings/SettingsStore.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

using OptionsLogicTest = test::AppFolderTest;

// The five settings, in the order of OptionsState's fields.
std::string Stored()
{
    const auto read = [](const char* key) { return Settings().ReadText(key, "<absent>"); };
    return read(SettingKey::Drive) + "|" + read(SettingKey::Port1) + "|" + read(SettingKey::ROMfile) + "|" +
           read(SettingKey::Scanlines) + "|" + read(SettingKey::SndEmu);
}

// Nothing stored loads the defaults; an invalid drive or a missing Default.uae saves nothing. The
// controller choice 0, 1, 2 writes kbd2, joy0, joy1 over whatever the line held, no choice leaves
// it; each is read back. The drive is kept as its first two characters, in upper case, without blanks.
TEST_F(OptionsLogicTest, SavingWritesTheFourLinesThenTheFiveSettingsOrNothing)
{
    test::WriteFile(App(kConfigFile), "joyport1=mouse\r\n");
    for (const char* drive : {"", "@", "[:", "CD"}) {
        OptionsState state{drive, 1, "kick31.rom", true, true};
        EXPECT_FALSE(SaveOptions(state));
        host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    }
    EXPECT_EQ("joyport1=mouse\r\n|<absent>|<absent>|<absent>|<absent>|<absent>", Config() + "|" + Stored());
    OptionsState loaded{"", 5, "", true, false};  // each field other than its default
    LoadOptions(loaded);
    EXPECT_EQ("D:|0|kick31.rom|0|1", loaded.drive + "|" + std::to_string(loaded.port) + "|" + loaded.romFile +
                                         "|" + std::to_string(loaded.scanlines) + "|" +
                                         std::to_string(loaded.soundEmulation));
    std::string ports;
    for (int port : {0, 1, 2, -1}) {
        OptionsState state{"a", port, "kick31.rom", false, true};
        EXPECT_TRUE(SaveOptions(state));
        LoadOptions(loaded);
        ports += ConfigValue("joyport1=") + "/" + std::to_string(loaded.port) + " ";
    }
    EXPECT_EQ("kbd2/0 joy0/1 joy1/2 joy1/-1 ", ports);
    EXPECT_EQ("normal|double", ConfigValue("sound_output=") + "|" + ConfigValue("gfx_linemode="));
    OptionsState state{"  z:\\", 1, "  my kick.rom  ", true, false};
    EXPECT_TRUE(SaveOptions(state));
    EXPECT_EQ((std::vector<std::string>{"joyport1=joy0", "kickstart_rom_file=my kick.rom",
                                        "sound_output=interrupts", "gfx_linemode=scanlines"}),
              ConfigLines());
    EXPECT_EQ("Z:|1|my kick.rom|1|0", Stored());
    std::filesystem::remove(App(kConfigFile));
    state = {"g:", 2, "kick31.rom", false, true};
    EXPECT_FALSE(SaveOptions(state));
    host->ExpectMessage("Error writing to file. Options not saved.");
    EXPECT_EQ("Z:|1|my kick.rom|1|0", Stored());
}

// "path" stands for the chosen file's path.
TEST_F(OptionsLogicTest, TheKickstartNeeds40AtOffset160AndAnUnreadablePathChangesNothing)
{
    const std::string rom = std::string(160, 'x') + "40";
    test::WriteFile(folder / "Kickstart v3.1 (A1200).bin", rom);
    test::WriteFile(folder / "kick13.rom", rom.substr(0, 161) + "1");
    std::string fields;
    for (const char* name : {"Kickstart v3.1 (A1200).bin", "missing.rom", "kick13.rom"}) {
        host->ChooseNextFile(folder / name);
        const std::string field = ChooseKickstart("old");
        fields += (field == folder / name ? "path" : field) + "|";
    }
    host->ChooseNextFile(std::nullopt);
    EXPECT_EQ("path|old||old", fields + ChooseKickstart("old"));
    host->ExpectMessage("This is not a valid Kickstart ROM file.");
    EXPECT_EQ("Select Kickstart 3.1-ROM...|Kickstart-ROM (*.rom)",
              host->fileRequests.back().title + "|" + host->fileRequests.back().filterDescription);
}

}  // namespace
}  // namespace talvero
