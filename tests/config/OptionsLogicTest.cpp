// What the options dialog does with its fields: loading, checking and saving them.
#include "config/OptionsLogic.h"

#include "settings/SettingsStore.h"
#include "tests/support/AppFolderTest.h"

#include <map>
#include <tuple>

namespace talvero {
namespace {

using OptionsLogicTest = test::AppFolderTest;

// Each setting named with the text it must hold ("<absent>" when none), one expectation each.
void ExpectStored(const std::map<std::string, std::string>& expected)
{
    for (const auto& [key, text] : expected)
        EXPECT_EQ(text, Settings().ReadText(key, "<absent>")) << key;
}

// The fields in their order, printed field by field when they differ.
auto Fields(const OptionsState& state)
{
    return std::tuple(state.drive, state.port, state.romFile, state.scanlines, state.soundEmulation);
}

TEST_F(OptionsLogicTest, NothingStoredLoadsTheDefaultsOverEveryField)
{
    OptionsState loaded{"", 5, "", true, false};  // each field other than its default
    LoadOptions(loaded);
    EXPECT_EQ(std::tuple("D:", 0, "kick31.rom", false, true), Fields(loaded));
}

// The controller choice 0, 1, 2 writes kbd2, joy0, joy1 over whatever the line held; no choice
// leaves it. Each is read back.
TEST_F(OptionsLogicTest, EachControllerChoiceWritesItsLineAndReadsBack)
{
    test::WriteFile(App(kConfigFile), "joyport1=mouse\r\n");
    for (const auto& [port, line] : {std::pair{0, "kbd2"}, std::pair{1, "joy0"}, std::pair{2, "joy1"},
                                     std::pair{-1, "joy1"}}) {
        OptionsState state{"a", port, "kick31.rom", false, true};
        EXPECT_TRUE(SaveOptions(state));
        OptionsState loaded;
        LoadOptions(loaded);
        EXPECT_EQ(line, ConfigValue("joyport1=")) << "choice " << port;
        EXPECT_EQ(port, loaded.port) << "choice " << port;
    }
    EXPECT_EQ("normal", ConfigValue("sound_output="));
    EXPECT_EQ("double", ConfigValue("gfx_linemode="));
}

// An invalid drive saves nothing; a valid one is kept as its first two characters, in upper case,
// without blanks; a missing Default.uae saves nothing, not even the settings.
TEST_F(OptionsLogicTest, SavingWritesTheFourLinesThenTheFiveSettingsOrNothing)
{
    test::WriteFile(App(kConfigFile), "joyport1=mouse\r\n");
    for (const char* drive : {"", "@", "[:", "CD"}) {
        OptionsState invalid{drive, 1, "kick31.rom", true, true};
        EXPECT_FALSE(SaveOptions(invalid)) << drive;
        host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    }
    EXPECT_EQ("joyport1=mouse\r\n", Config());
    ExpectStored({{SettingKey::Drive, "<absent>"}});  // the first setting saved
    OptionsState state{"  z:\\", 1, "  my kick.rom  ", true, false};
    EXPECT_TRUE(SaveOptions(state));
    EXPECT_EQ((std::vector<std::string>{"joyport1=joy0", "kickstart_rom_file=my kick.rom",
                                        "sound_output=interrupts", "gfx_linemode=scanlines"}),
              ConfigLines());
    const std::map<std::string, std::string> saved = {{SettingKey::Drive, "Z:"},
                                                      {SettingKey::Port1, "1"},
                                                      {SettingKey::ROMfile, "my kick.rom"},
                                                      {SettingKey::Scanlines, "1"},
                                                      {SettingKey::SndEmu, "0"}};
    ExpectStored(saved);
    std::filesystem::remove(App(kConfigFile));
    state = {"g:", 2, "kick31.rom", false, true};
    EXPECT_FALSE(SaveOptions(state));
    host->ExpectMessage("Error writing to file. Options not saved.");
    ExpectStored(saved);
}

// A store that fails every read and write: the fields keep what they held, and saving says so.
class FailingSettings final : public SettingsBackend {
public:
    std::optional<std::string> Get(const std::string&) override { throw SettingsError("cannot be read"); }
    void Set(const std::string&, const std::string&) override { throw SettingsError("cannot be written"); }
};

TEST_F(OptionsLogicTest, SettingsThatCannotBeReadOrWrittenKeepTheFieldsAndAreReported)
{
    test::WriteFile(App(kConfigFile), "");
    SetSettingsBackend(std::make_unique<FailingSettings>());
    OptionsState state{"E:", 2, "my.rom", true, false};
    LoadOptions(state);
    EXPECT_EQ(std::tuple("E:", 2, "my.rom", true, false), Fields(state));
    EXPECT_FALSE(SaveOptions(state));
    host->ExpectMessage("Error writing to file. Options not saved.");
}

TEST_F(OptionsLogicTest, TheKickstartNeeds40AtOffset160AndACancelChangesNothing)
{
    const std::string rom = std::string(160, 'x') + "40";
    test::WriteFile(folder / "Kickstart v3.1 (A1200).bin", rom);
    test::WriteFile(folder / "kick13.rom", rom.substr(0, 161) + "1");
    host->ChooseNextFile(folder / "Kickstart v3.1 (A1200).bin");
    EXPECT_EQ(folder / "Kickstart v3.1 (A1200).bin", ChooseKickstart("old"));
    host->ChooseNextFile(std::nullopt);
    EXPECT_EQ("old", ChooseKickstart("old"));
    host->ChooseNextFile(folder / "kick13.rom");
    EXPECT_EQ("", ChooseKickstart("old"));
    host->ExpectMessage("This is not a valid Kickstart ROM file.");
    EXPECT_EQ("Kickstart-ROM (*.rom)", host->fileRequests.back().filterDescription);
}

}  // namespace
}  // namespace talvero
