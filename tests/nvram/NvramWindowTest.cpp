// The NVRAM manager's window, driven offscreen.
#include "nvram/SaveDataTable.h"
#include "nvram/frmNVRAM.h"
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
    void Open()
    {
        window = std::make_unique<frmNVRAM>(nullptr);
        window->show();
    }
    QListWidget* List() { return Child<QListWidget>(window.get(), "List1"); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(window.get(), name); }
    QStringList Entries() { return test::Entries(List()); }
    QString Selected() { return test::Selected(List()); }
    void Select(const QString& entry) { test::Select(List(), entry); }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    // Which of Backup, Restore and Delete are enabled, as "BRD" with "-" for a disabled one.
    QString Enabled()
    {
        return QString(Button("Command1")->isEnabled() ? "B" : "-") +
               (Button("Command2")->isEnabled() ? "R" : "-") + (Button("Command3")->isEnabled() ? "D" : "-");
    }
    std::unique_ptr<frmNVRAM> window;
};

TEST_F(NvramWindowTest, AnEmptyListDisablesEverythingButExit)
{
    Open();
    EXPECT_EQ("NVRAM-Manager v1.1", window->windowTitle());
    EXPECT_EQ((QStringList{"&Backup", "&Restore", "De&lete", "&Exit"}),
              (QStringList{Button("Command1")->text(), Button("Command2")->text(), Button("Command3")->text(),
                           Button("Command4")->text()}));
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_EQ("---", Enabled());
    Click("Command4");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(NvramWindowTest, TheFourteenEntriesInWordOrderAndTheButtonsFollowTheSelection)
{
    for (const SaveDataRow& row : SaveDataTable()) {
        test::WriteFile(App(row.dataFile), row.title);
        test::WriteFile(App(row.dataFile) + ".bak", "backup of " + row.title);
    }
    Open();
    EXPECT_EQ((QStringList{"[Backup] Akira", "[Backup] Dark Seed", "[Backup] D-Generation",
                           "[Backup] GunShip 2000", "[Backup] James Pond 2 - RoboCod", "[Backup] Syndicate",
                           "[Backup] UFO - Enemy Unknown", "Akira", "Dark Seed", "D-Generation",
                           "GunShip 2000", "James Pond 2 - RoboCod", "Syndicate", "UFO - Enemy Unknown"}),
              Entries());
    EXPECT_EQ("[Backup] Akira", Selected());
    EXPECT_EQ("-RD", Enabled());
    Select("Syndicate");
    EXPECT_EQ("B-D", Enabled());
}

TEST_F(NvramWindowTest, SuccessRebuildsTheListFailureAndNoLeaveItAsItWas)
{
    const std::string akira = App(SaveDataTable()[0].dataFile);
    test::WriteFile(akira, "scores");
    test::WriteFile(App(SaveDataTable()[5].dataFile), "agents");
    Open();
    EXPECT_EQ("B-D", Enabled());
    Select("Syndicate");
    Click("Command1");
    host->ExpectMessage("Backup created successfully.", MessageIcon::Information);
    EXPECT_EQ((QStringList{"[Backup] Syndicate", "Akira", "Syndicate"}), Entries());
    EXPECT_EQ("[Backup] Syndicate", Selected());
    EXPECT_EQ("-RD", Enabled());

    Select("Akira");
    host->AnswerNextQuestion(MessageAnswer::No);
    Click("Command3");
    EXPECT_EQ("Delete data from \"Akira\" ?", host->TakeMessage().text);
    std::filesystem::remove(akira);
    Click("Command1");
    host->ExpectMessage("Error writing to file: " + akira + ".bak");
    EXPECT_EQ(3, List()->count());
    EXPECT_EQ("Akira", Selected());

    List()->setCurrentRow(0);
    for (int left = 1; left >= 0; --left) {
        host->AnswerNextQuestion(MessageAnswer::Yes);
        Click("Command3");
        host->TakeMessage();
        EXPECT_EQ(left, List()->count());
    }
    EXPECT_EQ("---", Enabled());
}

TEST_F(NvramWindowTest, EnterPressesNoButtonAndEscClosesFromAnyControl)
{
    test::WriteFile(SaveDataFile("Akira"), "new scores");
    test::WriteFile(SaveDataFile("Akira") + ".bak", "the only backup");
    Open();
    Select("Akira");
    for (const char* name : {"Command1", "Command2", "Command3", "Command4"})
        EXPECT_FALSE(Button(name)->isDefault() || Button(name)->autoDefault()) << name;
    for (QWidget* control : std::initializer_list<QWidget*>{List(), Button("Command1")}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
    }
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_EQ("the only backup", test::ReadFile(SaveDataFile("Akira") + ".bak"));
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(Button("Command3"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    Open();
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ("new scores", test::ReadFile(SaveDataFile("Akira")));
}

}  // namespace
}  // namespace talvero
