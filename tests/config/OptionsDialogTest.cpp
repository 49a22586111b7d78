// The options dialog, driven offscreen.
#include "emulator/ConfigEditor.h"
#include "config/frmOptions.h"
#include "demo/DemoFolder.h"
#include "tests/support/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace talvero {
namespace {

using test::Child;

class OptionsDialogTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
    }
    void Open()
    {
        dialog = std::make_unique<frmOptions>(nullptr);
        dialog->show();
    }
    template <typename T>
    T* Get(const char* name) { return Child<T>(dialog.get(), name); }
    void TypeDrive(const QString& text)
    {
        Get<QLineEdit>("Drive1")->clear();
        QTest::keyClicks(Get<QLineEdit>("Drive1"), text);
    }
    void Save() { QTest::mouseClick(Get<QPushButton>("saveOpt"), Qt::LeftButton); }
    std::unique_ptr<frmOptions> dialog;
};

TEST_F(OptionsDialogTest, LoadingHiddenShowsNothingAndGivesTheDefaults)
{
    frmOptions hidden(nullptr);
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_EQ("D:", hidden.DriveText());
    EXPECT_TRUE(hidden.SoundEmulation());
    EXPECT_EQ("kick31.rom", Child<QLineEdit>(&hidden, "ROMfile")->text());
    EXPECT_EQ(0, Child<QComboBox>(&hidden, "GamePort1")->currentIndex());
    EXPECT_FALSE(Child<QCheckBox>(&hidden, "Scanlines")->isChecked());
    EXPECT_EQ("<absent>", ReadSetting("Drive"));
}

TEST_F(OptionsDialogTest, CaptionsEntriesAndTabOrder)
{
    Open();
    EXPECT_EQ("Options", dialog->windowTitle());
    EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
    EXPECT_EQ("CD drive:", Get<QLabel>("Label1")->text());
    EXPECT_EQ("Kickstart 3.1-ROM:", Get<QLabel>("Label2")->text());
    EXPECT_EQ("Control with:", Get<QLabel>("Label3")->text());
    EXPECT_EQ("&Save options", Get<QPushButton>("saveOpt")->text());
    EXPECT_EQ("Sound-Emulation", Get<QCheckBox>("SndEmu")->text());
    EXPECT_EQ("S&canlines", Get<QCheckBox>("Scanlines")->text());
    auto* port = Get<QComboBox>("GamePort1");
    ASSERT_EQ(3, port->count());
    EXPECT_EQ("Keyboard (cursor keys & right control key)", port->itemText(0));
    EXPECT_EQ("PC-Joypad/Joystick #1", port->itemText(1));
    EXPECT_EQ("PC-Joypad/Joystick #2", port->itemText(2));
    EXPECT_EQ(3, Get<QLineEdit>("Drive1")->maxLength());
    EXPECT_FALSE(Get<QComboBox>("Drive2")->isVisible());
    const QStringList order = {"Drive1", "selDrive", "ROMfile", "selKick", "GamePort1",
                               "SndEmu", "Scanlines", "saveOpt", "Drive2"};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget* widget = Child<QWidget>(dialog.get(), order[i].toLatin1().constData());
        EXPECT_EQ(order[i + 1], test::NextInTabOrder(widget)) << order[i].toStdString();
    }
}

TEST_F(OptionsDialogTest, StoredValuesAreLoaded)
{
    WriteSetting("Drive", "F:");
    WriteSetting("Port1", "2");
    WriteSetting("ROMfile", "/roms/kick.rom");
    WriteSetting("Scanlines", "1");
    WriteSetting("SndEmu", "0");
    Open();
    EXPECT_EQ("F:", Get<QLineEdit>("Drive1")->text());
    EXPECT_EQ(2, Get<QComboBox>("GamePort1")->currentIndex());
    EXPECT_EQ("/roms/kick.rom", Get<QLineEdit>("ROMfile")->text());
    EXPECT_TRUE(Get<QCheckBox>("Scanlines")->isChecked());
    EXPECT_FALSE(Get<QCheckBox>("SndEmu")->isChecked());
}

TEST_F(OptionsDialogTest, SavingWritesTheLinesAndTheSettings)
{
    Open();
    TypeDrive("e: ");
    Get<QComboBox>("GamePort1")->setCurrentIndex(1);
    Get<QLineEdit>("ROMfile")->setText("  my kick.rom  ");
    Get<QCheckBox>("Scanlines")->setChecked(true);
    Get<QCheckBox>("SndEmu")->setChecked(false);
    Save();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ("my kick.rom", ConfigValue("kickstart_rom_file="));
    EXPECT_EQ("joy0", ConfigValue("joyport1="));
    EXPECT_EQ("interrupts", ConfigValue("sound_output="));
    EXPECT_EQ("scanlines", ConfigValue("gfx_linemode="));
    EXPECT_EQ("E:", ReadSetting("Drive"));
    EXPECT_EQ("1", ReadSetting("Port1"));
    EXPECT_EQ("my kick.rom", ReadSetting("ROMfile"));
    EXPECT_EQ("1", ReadSetting("Scanlines"));
    EXPECT_EQ("0", ReadSetting("SndEmu"));
}

TEST_F(OptionsDialogTest, DriveTextsAreNormalisedOnSave)
{
    for (const auto& [typed, stored] : {std::pair{"d", "D:"}, std::pair{"d:\\", "D:"}, std::pair{"e: ", "E:"}}) {
        Open();
        TypeDrive(typed);
        Save();
        EXPECT_EQ(stored, ReadSetting("Drive")) << typed;
        EXPECT_EQ("double", ConfigValue("gfx_linemode="));
        EXPECT_EQ("normal", ConfigValue("sound_output="));
    }
}

TEST_F(OptionsDialogTest, InvalidDrivesAreRejectedAndNothingIsWritten)
{
    for (const auto& [typed, shown] : {std::pair{"", ""}, std::pair{":", "::"}, std::pair{"1:", "1:"},
                                       std::pair{"CD", "CD"}}) {
        Open();
        TypeDrive(typed);
        Get<QCheckBox>("Scanlines")->setChecked(true);
        Save();
        const MessageBoxRequest message = host->TakeMessage();
        EXPECT_EQ("Please select a valid CD drive!", message.text);
        EXPECT_EQ(MessageIcon::Exclamation, message.icon);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(shown, Get<QLineEdit>("Drive1")->text()) << typed;
        EXPECT_EQ(DefaultUaeTemplate(), Config());
        EXPECT_EQ("<absent>", ReadSetting("Drive"));
    }
}

TEST_F(OptionsDialogTest, AnUnusableControllerSettingLeavesNoChoiceAndIsSavedAsMinusOne)
{
    WriteSetting("Port1", "5");
    Open();
    EXPECT_EQ(-1, Get<QComboBox>("GamePort1")->currentIndex());
    test::WriteFile(App(kConfigFile), "joyport1=joy1\r\n");
    Save();
    EXPECT_EQ("joy1", ConfigValue("joyport1="));
    EXPECT_EQ("-1", ReadSetting("Port1"));
}

TEST_F(OptionsDialogTest, TheDriveListFillsTheFieldFromItsOwnChoice)
{
    test::MakeFolders(folder / "Drives/G");
    Open();
    TypeDrive("x:");
    auto* selDrive = Get<QPushButton>("selDrive");
    QTest::mouseClick(selDrive, Qt::LeftButton);
    EXPECT_EQ("OK", selDrive->text());
    EXPECT_TRUE(Get<QComboBox>("Drive2")->isVisible());
    for (const char* name : {"Drive1", "GamePort1", "ROMfile", "saveOpt", "Scanlines", "selKick", "SndEmu"})
        EXPECT_FALSE(Child<QWidget>(dialog.get(), name)->isEnabled()) << name;
    auto* drives = Get<QComboBox>("Drive2");
    const int g = drives->findText("G: ", Qt::MatchStartsWith);
    ASSERT_GE(g, 0);
    QTest::mouseClick(selDrive, Qt::LeftButton);
    EXPECT_EQ("...", selDrive->text());
    EXPECT_EQ(drives->currentText().left(2), Get<QLineEdit>("Drive1")->text());
    EXPECT_NE("X:", Get<QLineEdit>("Drive1")->text());
    QTest::mouseClick(selDrive, Qt::LeftButton);
    drives->setCurrentIndex(g);
    QTest::mouseClick(selDrive, Qt::LeftButton);
    EXPECT_EQ("G:", Get<QLineEdit>("Drive1")->text());
    EXPECT_TRUE(Get<QLineEdit>("Drive1")->isEnabled());
}

TEST_F(OptionsDialogTest, TheKickstartCheckAcceptsRejectsOrChangesNothing)
{
    std::string rom(1024, 'x');
    rom[160] = '4';
    rom[161] = '0';
    test::WriteFile(folder / "Kickstart v3.1 r40.068 (A1200).bin", rom);
    rom[160] = '3';
    test::WriteFile(folder / "kick13.rom", rom);
    test::WriteFile(folder / "short.rom", std::string(100, '4'));
    Open();
    auto* field = Get<QLineEdit>("ROMfile");

    host->ChooseNextFile(folder / "Kickstart v3.1 r40.068 (A1200).bin");
    QTest::mouseClick(Get<QPushButton>("selKick"), Qt::LeftButton);
    EXPECT_EQ(QString::fromStdString(folder / "Kickstart v3.1 r40.068 (A1200).bin"), field->text());
    EXPECT_EQ("Select Kickstart 3.1-ROM...", host->fileRequests.back().title);
    EXPECT_EQ("Kickstart-ROM (*.rom)", host->fileRequests.back().filterDescription);

    host->ChooseNextFile(folder / "short.rom");
    QTest::mouseClick(Get<QPushButton>("selKick"), Qt::LeftButton);
    host->ChooseNextFile(std::nullopt);
    QTest::mouseClick(Get<QPushButton>("selKick"), Qt::LeftButton);
    host->ChooseNextFile(folder / "missing.rom");
    QTest::mouseClick(Get<QPushButton>("selKick"), Qt::LeftButton);
    EXPECT_EQ(QString::fromStdString(folder / "Kickstart v3.1 r40.068 (A1200).bin"), field->text());
    EXPECT_EQ(0u, host->PendingMessages());

    host->ChooseNextFile(folder / "kick13.rom");
    QTest::mouseClick(Get<QPushButton>("selKick"), Qt::LeftButton);
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ("This is not a valid Kickstart ROM file.", message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(OptionsDialogTest, EscAfterEditsSavesNothing)
{
    Open();
    TypeDrive("g");
    Get<QCheckBox>("Scanlines")->setChecked(true);
    QTest::keyClick(Get<QCheckBox>("Scanlines"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(DefaultUaeTemplate(), Config());
    EXPECT_EQ("<absent>", ReadSetting("Drive"));
    EXPECT_EQ("<absent>", ReadSetting("Scanlines"));
}

TEST_F(OptionsDialogTest, AMissingConfigurationFileStopsTheSaveBeforeAnySetting)
{
    WriteSetting("Drive", "F:");
    std::filesystem::remove(App(kConfigFile));
    Open();
    TypeDrive("g:");
    Save();
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ("Error writing to file. Options not saved.", message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ("F:", ReadSetting("Drive"));
    EXPECT_EQ("<absent>", ReadSetting("Port1"));
}

TEST_F(OptionsDialogTest, AnUnwritableSettingsFileIsReportedAfterTheLines)
{
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    WriteSetting("Drive", "F:");
    test::MakeReadOnly(settingsFolder / "Quorra.ini");
    test::MakeReadOnly(settingsFolder.path());
    Open();
    TypeDrive("g:");
    Save();
    EXPECT_EQ("Error writing to file. Options not saved.", host->TakeMessage().text);
    EXPECT_EQ("F:", ReadSetting("Drive"));
    EXPECT_EQ("kick31.rom", ConfigValue("kickstart_rom_file="));
}

}  // namespace
}  // namespace talvero
