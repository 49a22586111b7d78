// The options dialog, driven offscreen; what it does with its fields is tested in OptionsLogicTest.
#include "config/frmOptions.h"
#include "tests/support/GuiTest.h"
#include "tests/support/TestPlatform.h"

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
    void Expect(const char* property, std::initializer_list<std::pair<const char*, QString>> expected)
    {
        ExpectProps(dialog.get(), property, expected);
    }
    void Click(const char* name) { ClickOn(dialog.get(), name); }
    void Type(const char* name, const QString& text) { Child<QLineEdit>(dialog.get(), name)->setText(text); }
    std::unique_ptr<frmOptions> dialog;
};

// A caption of each kind of control, each field filled from its own setting; Esc saves nothing.
// Picking a drive from the list: the other controls wait meanwhile. An invalid drive keeps the
// dialog open; Save takes each field from its control and closes the dialog.
TEST_F(OptionsDialogTest, FieldsFromTheSettingsEscTheDriveListAndSave)
{
    // A drive that holds a folder, as a CD drive would (D: is a drive the tests may map on Windows).
    test::MakeFolders(folder / "Drives/D");
    test::MapDrive('D', folder / "Drives/D");
    for (const auto& [key, value] :
         {std::pair{"Drive", "F:"}, std::pair{"Port1", "2"}, std::pair{"ROMfile", "/roms/kick.rom"},
          std::pair{"Scanlines", "1"}, std::pair{"SndEmu", "0"}})
        Settings().Write(key, value);
    Open();
    EXPECT_EQ("Options", dialog->windowTitle());
    EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
    Expect("text", {{"Label2", "Kickstart 3.1-ROM:"}, {"saveOpt", "&Save options"}, {"Scanlines", "S&canlines"},
                    {"selDrive", "..."}, {"Drive1", "F:"}, {"ROMfile", "/roms/kick.rom"}});
    auto* port = Child<QComboBox>(dialog.get(), "GamePort1");
    EXPECT_EQ((QStringList{"Keyboard (cursor keys & right control key)", "PC-Joypad/Joystick #1",
                           "PC-Joypad/Joystick #2"}),
              (QStringList{port->itemText(0), port->itemText(1), port->itemText(2)}));
    Expect("maxLength", {{"Drive1", "3"}});
    Expect("visible", {{"Drive2", "false"}});
    Expect("currentIndex", {{"GamePort1", "2"}});
    Expect("checked", {{"Scanlines", "true"}, {"SndEmu", "false"}});
    const std::string saved = Config();
    Type("Drive1", "e:");
    QTest::keyClick(Child(dialog.get(), "Scanlines"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ("F:", ReadSetting("Drive"));
    EXPECT_EQ(saved, Config());

    Open();
    Click("selDrive");
    Expect("text", {{"selDrive", "OK"}});
    Expect("visible", {{"Drive2", "true"}});
    Expect("enabled", {{"Drive1", "false"}, {"saveOpt", "false"}});
    auto* drives = Child<QComboBox>(dialog.get(), "Drive2");
    drives->setCurrentIndex(drives->findText("D: ", Qt::MatchStartsWith));
    Click("selDrive");
    Expect("text", {{"selDrive", "..."}, {"Drive1", "D:"}});
    Expect("enabled", {{"Drive1", "true"}});
    Type("Drive1", ":");
    Click("saveOpt");
    host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    Expect("visible", {{"saveOpt", "true"}});
    Type("Drive1", "e:");
    Child<QComboBox>(dialog.get(), "GamePort1")->setCurrentIndex(1);
    Click("saveOpt");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ("joy0", ConfigValue("joyport1="));
    EXPECT_EQ("interrupts", ConfigValue("sound_output="));
    EXPECT_EQ("scanlines", ConfigValue("gfx_linemode="));
    EXPECT_EQ("/roms/kick.rom", ConfigValue("kickstart_rom_file="));
    EXPECT_EQ("E:", ReadSetting("Drive"));
}

}  // namespace
}  // namespace talvero
