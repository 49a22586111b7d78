// The options dialog, driven offscreen; what it does with its fields is tested in OptionsLogicTest.
#include "config/frmOptions.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "tests/support/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace talvero {
namespace {

using test::Child;

class OptionsDialogTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
        dialog = std::make_unique<frmOptions>(nullptr);
    }
    template <typename T>
    T* Get(const char* name)
    {
        return Child<T>(dialog.get(), name);
    }
    void TypeDrive(const QString& text)
    {
        Get<QLineEdit>("Drive1")->clear();
        QTest::keyClicks(Get<QLineEdit>("Drive1"), text);
    }
    std::unique_ptr<frmOptions> dialog;
};

TEST_F(OptionsDialogTest, CaptionsEntriesAndTabOrder)
{
    dialog->show();
    EXPECT_EQ("Options", dialog->windowTitle());
    EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "CD drive:"},      {"Label2", "Kickstart 3.1-ROM:"}, {"Label3", "Control with:"},
        {"saveOpt", "&Save options"}, {"SndEmu", "Sound-Emulation"},    {"Scanlines", "S&canlines"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(caption, Get<QWidget>(name)->property("text").toString()) << name;
    auto* port = Get<QComboBox>("GamePort1");
    EXPECT_EQ((QStringList{"Keyboard (cursor keys & right control key)", "PC-Joypad/Joystick #1",
                           "PC-Joypad/Joystick #2"}),
              (QStringList{port->itemText(0), port->itemText(1), port->itemText(2)}));
    EXPECT_EQ(3, port->count());
    EXPECT_EQ(3, Get<QLineEdit>("Drive1")->maxLength());
    EXPECT_FALSE(Get<QComboBox>("Drive2")->isVisible());
    const QStringList order = {"Drive1", "selDrive",  "ROMfile", "selKick", "GamePort1",
                               "SndEmu", "Scanlines", "saveOpt", "Drive2"};
    for (int i = 0; i + 1 < order.size(); ++i)
        EXPECT_EQ(order[i + 1], test::NextInTabOrder(Get<QWidget>(order[i].toLatin1().constData())));
}

TEST_F(OptionsDialogTest, StoredValuesFillTheControlsAndSavingTakesThemBack)
{
    WriteSetting("Drive", "F:");
    WriteSetting("Port1", "2");
    WriteSetting("ROMfile", "/roms/kick.rom");
    WriteSetting("Scanlines", "1");
    WriteSetting("SndEmu", "0");
    dialog = std::make_unique<frmOptions>(nullptr);
    dialog->show();
    EXPECT_EQ("F:", Get<QLineEdit>("Drive1")->text());
    EXPECT_EQ(2, Get<QComboBox>("GamePort1")->currentIndex());
    EXPECT_EQ("/roms/kick.rom", Get<QLineEdit>("ROMfile")->text());
    EXPECT_TRUE(Get<QCheckBox>("Scanlines")->isChecked());
    EXPECT_FALSE(Get<QCheckBox>("SndEmu")->isChecked());
    TypeDrive("e:");
    Get<QComboBox>("GamePort1")->setCurrentIndex(1);
    Get<QCheckBox>("SndEmu")->setChecked(true);
    QTest::mouseClick(Get<QPushButton>("saveOpt"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ("joy0", ConfigValue("joyport1="));
    EXPECT_EQ("normal", ConfigValue("sound_output="));
    EXPECT_EQ("scanlines", ConfigValue("gfx_linemode="));
    EXPECT_EQ("/roms/kick.rom", ConfigValue("kickstart_rom_file="));
    EXPECT_EQ("E:", ReadSetting("Drive"));
}

TEST_F(OptionsDialogTest, AnInvalidDriveKeepsTheDialogOpenAndEscSavesNothing)
{
    dialog->show();
    TypeDrive(":");
    QTest::mouseClick(Get<QPushButton>("saveOpt"), Qt::LeftButton);
    host->ExpectMessage("Please select a valid CD drive!", MessageIcon::Exclamation);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ("::", Get<QLineEdit>("Drive1")->text());
    Get<QCheckBox>("Scanlines")->setChecked(true);
    QTest::keyClick(Get<QCheckBox>("Scanlines"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(DefaultUaeTemplate(), Config());
    EXPECT_EQ("<absent>", ReadSetting("Drive"));
}

TEST_F(OptionsDialogTest, TheDriveListAndTheKickstartButtonFillTheirFields)
{
    test::MakeFolders(folder / "Drives/G");
    dialog = std::make_unique<frmOptions>(nullptr);  // the drive list is filled on load
    dialog->show();
    TypeDrive("x:");
    auto* selDrive = Get<QPushButton>("selDrive");
    QTest::mouseClick(selDrive, Qt::LeftButton);
    EXPECT_EQ("OK", selDrive->text());
    EXPECT_TRUE(Get<QComboBox>("Drive2")->isVisible());
    for (const char* name : {"Drive1", "GamePort1", "ROMfile", "saveOpt", "Scanlines", "selKick", "SndEmu"})
        EXPECT_FALSE(Get<QWidget>(name)->isEnabled()) << name;
    auto* drives = Get<QComboBox>("Drive2");
    drives->setCurrentIndex(drives->findText("G: ", Qt::MatchStartsWith));
    QTest::mouseClick(selDrive, Qt::LeftButton);
    EXPECT_EQ("...", selDrive->text());
    EXPECT_EQ("G:", Get<QLineEdit>("Drive1")->text());
    EXPECT_TRUE(Get<QLineEdit>("Drive1")->isEnabled());

    std::string rom(1024, 'x');
    rom.replace(160, 2, "40");
    test::WriteFile(folder / "kick.bin", rom);
    host->ChooseNextFile(folder / "kick.bin");
    QTest::mouseClick(Get<QPushButton>("selKick"), Qt::LeftButton);
    EXPECT_EQ(QString::fromStdString(folder / "kick.bin"), Get<QLineEdit>("ROMfile")->text());
}

TEST_F(OptionsDialogTest, AnUnwritableSettingsFileIsReportedAfterTheLines)
{
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    WriteSetting("Drive", "F:");
    test::MakeReadOnly(settingsFolder / "Quorra.ini");
    test::MakeReadOnly(settingsFolder.path());
    dialog->show();
    TypeDrive("g:");
    Get<QLineEdit>("ROMfile")->setText("other.rom");
    QTest::mouseClick(Get<QPushButton>("saveOpt"), Qt::LeftButton);
    host->ExpectMessage("Error writing to file. Options not saved.");
    EXPECT_EQ("F:", ReadSetting("Drive"));
    EXPECT_EQ("other.rom", ConfigValue("kickstart_rom_file="));
}

}  // namespace
}  // namespace talvero
