// The options dialog, driven offscreen; what it does with its fields is tested in OptionsLogicTest.
#include "config/frmOptions.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "tests/support/GuiTest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace talvero {
namespace {

class OptionsDialogTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
    }
    // The dialog reads the settings and the drives when it is built.
    void Open()
    {
        dialog = std::make_unique<frmOptions>(nullptr);
        dialog->show();
    }
    QString Props(const char* property, const QString& names)
    {
        return test::Props(dialog.get(), property, names);
    }
    void TypeDrive(const QString& text)
    {
        auto* drive = test::Child<QLineEdit>(dialog.get(), "Drive1");
        drive->clear();
        QTest::keyClicks(drive, text);
    }
    void ClickButton(const char* name) { test::ClickOn(dialog.get(), name); }
    std::unique_ptr<frmOptions> dialog;
};

TEST_F(OptionsDialogTest, CaptionsTabOrderTheDriveListTheKickstartButtonAndEscThatSavesNothing)
{
    test::MakeFolders(folder / "Drives/G");
    Open();
    EXPECT_EQ("Options", dialog->windowTitle());
    EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
    EXPECT_EQ("CD drive:|Kickstart 3.1-ROM:|Control with:|&Save options|Sound-Emulation|S&canlines|...|...",
              Props("text", "Label1 Label2 Label3 saveOpt SndEmu Scanlines selDrive selKick"));
    auto* port = test::Child<QComboBox>(dialog.get(), "GamePort1");
    EXPECT_EQ("Keyboard (cursor keys & right control key)|PC-Joypad/Joystick #1|PC-Joypad/Joystick #2|",
              port->itemText(0) + "|" + port->itemText(1) + "|" + port->itemText(2) + "|" +
                  port->itemText(3));
    EXPECT_EQ("3|false", Props("maxLength", "Drive1") + "|" + Props("visible", "Drive2"));
    EXPECT_EQ("Drive1 selDrive ROMfile selKick GamePort1 SndEmu Scanlines saveOpt",
              test::TabStops(test::Child(dialog.get(), "Drive1")));

    TypeDrive("x:");
    ClickButton("selDrive");
    EXPECT_EQ("OK|true", Props("text", "selDrive") + "|" + Props("visible", "Drive2"));
    EXPECT_EQ("false|false|false|false|false|false|false",
              Props("enabled", "Drive1 GamePort1 ROMfile saveOpt Scanlines selKick SndEmu"));
    auto* drives = test::Child<QComboBox>(dialog.get(), "Drive2");
    drives->setCurrentIndex(drives->findText("G: ", Qt::MatchStartsWith));
    ClickButton("selDrive");
    EXPECT_EQ("...|G:|true", Props("text", "selDrive Drive1") + "|" + Props("enabled", "Drive1"));
    std::string rom(1024, 'x');
    test::WriteFile(folder / "kick.bin", rom.replace(160, 2, "40"));
    host->ChooseNextFile(folder / "kick.bin");
    ClickButton("selKick");
    EXPECT_EQ(QString::fromStdString(folder / "kick.bin"), Props("text", "ROMfile"));

    TypeDrive(":");
    ClickButton("saveOpt");
    host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ("::", Props("text", "Drive1"));  // shown as it was checked
    ClickButton("Scanlines");
    QTest::keyClick(test::Child(dialog.get(), "Scanlines"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(DefaultUaeTemplate(), Config());
    EXPECT_EQ("<absent>", ReadSetting("Drive"));
}

// Each field reaches its own setting and line, both ways.
TEST_F(OptionsDialogTest, StoredValuesFillTheControlsAndSavingTakesThemBack)
{
    for (const auto& [key, value] :
         {std::pair{"Drive", "F:"}, std::pair{"Port1", "2"}, std::pair{"ROMfile", "/roms/kick.rom"},
          std::pair{"Scanlines", "1"}, std::pair{"SndEmu", "0"}})
        WriteSetting(key, value);
    Open();
    EXPECT_EQ("F:|/roms/kick.rom|2|true|false", Props("text", "Drive1 ROMfile") + "|" +
                                                    Props("currentIndex", "GamePort1") + "|" +
                                                    Props("checked", "Scanlines SndEmu"));
    TypeDrive("e:");
    test::Child<QComboBox>(dialog.get(), "GamePort1")->setCurrentIndex(1);
    ClickButton("SndEmu");
    ClickButton("saveOpt");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ("joy0|normal|scanlines|/roms/kick.rom",
              ConfigValue("joyport1=") + "|" + ConfigValue("sound_output=") + "|" +
                  ConfigValue("gfx_linemode=") + "|" + ConfigValue("kickstart_rom_file="));
    EXPECT_EQ("E:", ReadSetting("Drive"));

    // Settings that cannot be written are reported after the lines were.
    if (!test::ReadOnlyFoldersAreEnforced())
        return;
    test::MakeReadOnly(settingsFolder / "Quorra.ini");
    test::MakeReadOnly(settingsFolder.path());
    Open();
    test::Child<QLineEdit>(dialog.get(), "ROMfile")->setText("other.rom");
    ClickButton("saveOpt");
    host->ExpectMessage("Error writing to file. Options not saved.");
    EXPECT_EQ("other.rom|/roms/kick.rom",
              QString::fromStdString(ConfigValue("kickstart_rom_file=") + "|" + ReadSetting("ROMfile")));
}

}  // namespace
}  // namespace talvero
