// The options dialog, driven offscreen; what it does with its fields is tested in OptionsLogicTest.
#include "config/frmOptions.h"
#include "tests/support/GuiTest.h"

#include <QComboBox>
#include <QLineEdit>

namespace talvero {
namespace {

class OptionsDialogTest : public test::GuiTest {
protected:
    // The dialog reads the settings and the drives when it is built.
    void Open()
    {
        test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
        dialog = std::make_unique<frmOptions>(nullptr);
        dialog->show();
    }
    QString Get(const char* property, const QString& names) { return Props(dialog.get(), property, names); }
    void Click(const char* name) { ClickOn(dialog.get(), name); }
    void Type(const char* name, const QString& text) { Child<QLineEdit>(dialog.get(), name)->setText(text); }
    std::unique_ptr<frmOptions> dialog;
};

// Each field reaches its own setting and line, both ways; an invalid drive keeps the dialog open,
// and Esc saves nothing.
TEST_F(OptionsDialogTest, CaptionsFieldsBothWaysTheDriveListAndEscThatSavesNothing)
{
    test::MakeFolders(folder / "Drives/G");
    for (const auto& [key, value] :
         {std::pair{"Drive", "F:"}, std::pair{"Port1", "2"}, std::pair{"ROMfile", "/roms/kick.rom"},
          std::pair{"Scanlines", "1"}, std::pair{"SndEmu", "0"}})
        Settings().Write(key, value);
    Open();
    auto* port = Child<QComboBox>(dialog.get(), "GamePort1");
    EXPECT_EQ(
        "Options|1|CD drive:|Kickstart 3.1-ROM:|Control with:|&Save options|Sound-Emulation|S&canlines|...|"
        "...|Keyboard (cursor keys & right control key)|PC-Joypad/Joystick #1|PC-Joypad/Joystick #2|3|false",
        dialog->windowTitle() + "|" + QString::number(bool(dialog->windowFlags() & Qt::Tool)) + "|" +
            Get("text", "Label1 Label2 Label3 saveOpt SndEmu Scanlines selDrive selKick") + "|" +
            port->itemText(0) + "|" + port->itemText(1) + "|" + port->itemText(2) + "|" +
            Get("maxLength", "Drive1") + "|" + Get("visible", "Drive2"));
    EXPECT_EQ("F:|/roms/kick.rom|2|true|false", Get("text", "Drive1 ROMfile") + "|" +
                                                    Get("currentIndex", "GamePort1") + "|" +
                                                    Get("checked", "Scanlines SndEmu"));
    Type("Drive1", "e:");
    port->setCurrentIndex(1);
    Click("saveOpt");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ("joy0|interrupts|scanlines|/roms/kick.rom|E:",
              ConfigValue("joyport1=") + "|" + ConfigValue("sound_output=") + "|" +
                  ConfigValue("gfx_linemode=") + "|" + ConfigValue("kickstart_rom_file=") + "|" +
                  ReadSetting("Drive"));
    // Picking a drive from the list: the other controls wait meanwhile.
    Open();
    const std::string saved = Config();
    Click("selDrive");
    EXPECT_EQ("OK|true|false|false", Get("text", "selDrive") + "|" + Get("visible", "Drive2") + "|" +
                                         Get("enabled", "Drive1 saveOpt"));
    auto* drives = Child<QComboBox>(dialog.get(), "Drive2");
    drives->setCurrentIndex(drives->findText("G: ", Qt::MatchStartsWith));
    Click("selDrive");
    EXPECT_EQ("...|G:|true", Get("text", "selDrive Drive1") + "|" + Get("enabled", "Drive1"));
    Type("Drive1", ":");
    Click("saveOpt");
    host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    EXPECT_EQ("true|::", Get("visible", "saveOpt") + "|" + Get("text", "Drive1"));  // shown as checked
    QTest::keyClick(Child(dialog.get(), "Scanlines"), Qt::Key_Escape);
    EXPECT_EQ("0|E:", QString::number(dialog->isVisible()) + "|" + ReadSetting("Drive").c_str());
    EXPECT_EQ(saved, Config());
}

}  // namespace
}  // namespace talvero
