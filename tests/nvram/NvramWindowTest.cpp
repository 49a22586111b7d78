// The NVRAM manager on real save files, driven offscreen.
#include "nvram/SaveDataTable.h"
#include "nvram/frmNVRAM.h"
#include "platform/Files.h"
#include "platform/FileError.h"
#include "tests/support/GuiTest.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace talvero {
namespace {

using test::Child;

class NvramWindowTest : public test::GuiTest {
protected:
    std::string Data(const std::string& title) const
    {
        for (const SaveDataRow& row : SaveDataTable()) {
            if (row.title == title)
                return App(row.dataFile);
        }
        return {};
    }
    void Put(const std::string& path, const std::string& bytes) { test::WriteFile(path, bytes); }
    void Open()
    {
        window = std::make_unique<frmNVRAM>(nullptr);
        window->show();
    }
    QListWidget* List() { return Child<QListWidget>(window.get(), "List1"); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(window.get(), name); }
    QStringList Entries()
    {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i)
            entries << List()->item(i)->text();
        return entries;
    }
    QString Selected() { return List()->selectedItems().isEmpty() ? QString() : List()->selectedItems()[0]->text(); }
    void Select(const QString& entry) { List()->setCurrentRow(Entries().indexOf(entry)); }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    std::unique_ptr<frmNVRAM> window;
};

TEST_F(NvramWindowTest, AnEmptyListDisablesEverythingButExit)
{
    Open();
    EXPECT_EQ("NVRAM-Manager v1.1", window->windowTitle());
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_FALSE(Button("Command1")->isEnabled());
    EXPECT_FALSE(Button("Command2")->isEnabled());
    EXPECT_FALSE(Button("Command3")->isEnabled());
    EXPECT_EQ("&Backup", Button("Command1")->text());
    EXPECT_EQ("&Restore", Button("Command2")->text());
    EXPECT_EQ("De&lete", Button("Command3")->text());
    EXPECT_EQ("&Exit", Button("Command4")->text());
    Click("Command4");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(NvramWindowTest, AllFourteenEntriesReadInWordOrder)
{
    for (const SaveDataRow& row : SaveDataTable()) {
        Put(App(row.dataFile), row.title);
        Put(App(row.dataFile) + ".bak", "backup of " + row.title);
    }
    Open();
    EXPECT_EQ((QStringList{"[Backup] Akira", "[Backup] Dark Seed", "[Backup] D-Generation", "[Backup] GunShip 2000",
                           "[Backup] James Pond 2 - RoboCod", "[Backup] Syndicate", "[Backup] UFO - Enemy Unknown",
                           "Akira", "Dark Seed", "D-Generation", "GunShip 2000", "James Pond 2 - RoboCod", "Syndicate",
                           "UFO - Enemy Unknown"}),
              Entries());
    EXPECT_EQ("[Backup] Akira", Selected());
    EXPECT_FALSE(Button("Command1")->isEnabled());
    EXPECT_TRUE(Button("Command2")->isEnabled());
    Select("Syndicate");
    EXPECT_TRUE(Button("Command1")->isEnabled());
    EXPECT_FALSE(Button("Command2")->isEnabled());
    EXPECT_TRUE(Button("Command3")->isEnabled());
}

TEST_F(NvramWindowTest, OnlyABackupPresentAllowsRestoreWhichCreatesTheDataFile)
{
    Put(Data("Dark Seed") + ".bak", "slot 0");
    Open();
    EXPECT_EQ(QStringList{"[Backup] Dark Seed"}, Entries());
    EXPECT_TRUE(Button("Command2")->isEnabled());
    EXPECT_FALSE(Button("Command1")->isEnabled());
    Click("Command2");
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ("NVRAM restored successfully.", message.text);
    EXPECT_EQ(MessageIcon::Information, message.icon);
    EXPECT_EQ("slot 0", test::ReadFile(Data("Dark Seed")));
    EXPECT_EQ((QStringList{"[Backup] Dark Seed", "Dark Seed"}), Entries());
    EXPECT_EQ("[Backup] Dark Seed", Selected());
}

TEST_F(NvramWindowTest, BackupIsCreatedThenUpdated)
{
    Put(Data("GunShip 2000"), "roster one");
    Open();
    Click("Command1");
    EXPECT_EQ("Backup created successfully.", host->TakeMessage().text);
    EXPECT_EQ("roster one", test::ReadFile(Data("GunShip 2000") + ".bak"));
    EXPECT_EQ((QStringList{"[Backup] GunShip 2000", "GunShip 2000"}), Entries());
    EXPECT_EQ("[Backup] GunShip 2000", Selected());
    Put(Data("GunShip 2000"), "roster two");
    Select("GunShip 2000");
    Click("Command1");
    EXPECT_EQ("Backup updated successfully.", host->TakeMessage().text);
    EXPECT_EQ("roster two", test::ReadFile(Data("GunShip 2000") + ".bak"));
}

TEST_F(NvramWindowTest, RestoreIsByteExactAndKeepsTheBackup)
{
    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    Put(Data("UFO - Enemy Unknown") + ".bak", bytes);
    Put(Data("UFO - Enemy Unknown"), "newer but broken");
    Open();
    Select("[Backup] UFO - Enemy Unknown");
    Click("Command2");
    EXPECT_EQ("NVRAM restored successfully.", host->TakeMessage().text);
    EXPECT_EQ(bytes, test::ReadFile(Data("UFO - Enemy Unknown")));
    EXPECT_EQ(bytes, test::ReadFile(Data("UFO - Enemy Unknown") + ".bak"));
}

TEST_F(NvramWindowTest, DeletingABackupAsksAboutTheTitleAndNoChangesNothing)
{
    Put(Data("Akira"), "scores");
    Put(Data("Akira") + ".bak", "old scores");
    Put(Data("Syndicate"), "agents");
    Open();
    Select("Syndicate");
    Select("[Backup] Akira");
    host->AnswerNextQuestion(MessageAnswer::No);
    Click("Command3");
    MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", question.text);
    EXPECT_EQ(MessageIcon::Question, question.icon);
    EXPECT_EQ(MessageButtons::YesNo, question.buttons);
    EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
    EXPECT_EQ("[Backup] Akira", Selected());
    EXPECT_TRUE(test::Exists(Data("Akira") + ".bak"));

    host->AnswerNextQuestion(MessageAnswer::Yes);
    Click("Command3");
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(Data("Akira") + ".bak"));
    EXPECT_EQ("scores", test::ReadFile(Data("Akira")));
    EXPECT_EQ((QStringList{"Akira", "Syndicate"}), Entries());
    EXPECT_EQ("Akira", Selected());
}

TEST_F(NvramWindowTest, DeletingUfosImageAndTheLastEntry)
{
    Put(Data("UFO - Enemy Unknown"), std::string(32768, '\0'));
    Open();
    host->AnswerNextQuestion(MessageAnswer::Yes);
    Click("Command3");
    EXPECT_EQ("Delete data from \"UFO - Enemy Unknown\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(folder / "Cache/ufo1/nv/nvram.hdf"));
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_FALSE(Button("Command1")->isEnabled());
    EXPECT_FALSE(Button("Command2")->isEnabled());
    EXPECT_FALSE(Button("Command3")->isEnabled());
}

TEST_F(NvramWindowTest, AReadOnlyBackupFailsWithItsPathAndNoRefresh)
{
    Put(Data("Akira"), "new scores");
    Put(Data("Akira") + ".bak", "old scores");
    test::MakeReadOnly(Data("Akira") + ".bak");
    Open();
    Select("Akira");
    Click("Command1");
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ("Error writing to file: " + Data("Akira") + ".bak", message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_EQ("old scores", test::ReadFile(Data("Akira") + ".bak"));
    EXPECT_EQ("Akira", Selected());
}

TEST_F(NvramWindowTest, AnUndeletableFileFailsWithItsPath)
{
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    Put(Data("Syndicate"), "agents");
    Put(Data("Akira"), "scores");
    test::MakeReadOnly(folder / "Cache/synd/nv/Syn");
    Open();
    Select("Syndicate");
    host->AnswerNextQuestion(MessageAnswer::Yes);
    Click("Command3");
    host->TakeMessage();
    EXPECT_EQ("Error deleting file: " + Data("Syndicate"), host->TakeMessage().text);
    EXPECT_TRUE(test::Exists(Data("Syndicate")));
    EXPECT_EQ("Syndicate", Selected());
}

TEST_F(NvramWindowTest, AVanishedDataFileFailsTheBackupNamingTheBak)
{
    Put(Data("Dark Seed"), "slot");
    Open();
    std::filesystem::remove(Data("Dark Seed"));
    Click("Command1");
    EXPECT_EQ("Error writing to file: " + Data("Dark Seed") + ".bak", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(Data("Dark Seed") + ".bak"));
    EXPECT_EQ(QStringList{"Dark Seed"}, Entries());
}

TEST_F(NvramWindowTest, AFailureInTheMiddleOfACopyLeavesTheOldTargetIntact)
{
    Put(Data("James Pond 2 - RoboCod"), "new high scores");
    Put(Data("James Pond 2 - RoboCod") + ".bak", "the only good backup");
    Open();
    Select("James Pond 2 - RoboCod");
    talvero::testing::SetReplaceFaultHook([](const std::string&) { throw FileError(61, "disk full"); });
    Click("Command1");
    const MessageBoxRequest failure = host->TakeMessage();
    EXPECT_EQ("Error writing to file: " + Data("James Pond 2 - RoboCod") + ".bak", failure.text);
    EXPECT_EQ("disk full", failure.detail);
    EXPECT_EQ("the only good backup", test::ReadFile(Data("James Pond 2 - RoboCod") + ".bak"));
    Select("[Backup] James Pond 2 - RoboCod");
    Click("Command2");
    EXPECT_EQ("Error writing to file: " + Data("James Pond 2 - RoboCod"), host->TakeMessage().text);
    EXPECT_EQ("new high scores", test::ReadFile(Data("James Pond 2 - RoboCod")));
    const auto files = std::distance(std::filesystem::directory_iterator(folder / "Cache/jp2r/nv/RoboCod Data"),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(2, files);
}

TEST_F(NvramWindowTest, EscClosesFromAnyControl)
{
    Put(Data("Akira"), "scores");
    Open();
    QTest::keyClick(Button("Command3"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    Open();
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ("scores", test::ReadFile(Data("Akira")));
}

}  // namespace
}  // namespace talvero
