// The NVRAM manager's window, driven offscreen; its actions are tested in NvramManagerTest.
#include "nvram/SaveDataTable.h"
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

#include <filesystem>

namespace talvero {
namespace {

class NvramWindowTest : public test::GuiTest {
protected:
    void Open()
    {
        window = std::make_unique<frmNVRAM>(nullptr);
        window->show();
    }
    QListWidget* List() { return Child<QListWidget>(window.get(), "List1"); }
    void Click(const char* name) { ClickOn(window.get(), name); }
    // The entries, the selected one, and whether Backup, Restore and Delete are enabled.
    QString State()
    {
        return Entries(List()) + " [" + Selected(List()) + "] " +
               Props(window.get(), "enabled", "Command1 Command2 Command3");
    }
    std::unique_ptr<frmNVRAM> window;
};

TEST_F(NvramWindowTest, TheFourteenEntriesInWordOrderAndEnterPressesNoButton)
{
    for (const SaveDataRow& row : SaveDataTable()) {
        test::WriteFile(App(row.dataFile), row.title);
        test::WriteFile(App(row.dataFile) + ".bak", "backup of " + row.title);
    }
    Open();
    EXPECT_EQ("NVRAM-Manager v1.1|&Backup|&Restore|De&lete|&Exit|false|false|false|false",
              window->windowTitle() + "|" +
                  Props(window.get(), "text", "Command1 Command2 Command3 Command4") + "|" +
                  Props(window.get(), "autoDefault", "Command1 Command2 Command3 Command4"));
    EXPECT_EQ(
        "[Backup] Akira,[Backup] Dark Seed,[Backup] D-Generation,[Backup] GunShip 2000,"
        "[Backup] James Pond 2 - RoboCod,[Backup] Syndicate,[Backup] UFO - Enemy Unknown,Akira,Dark Seed,"
        "D-Generation,GunShip 2000,James Pond 2 - RoboCod,Syndicate,UFO - Enemy Unknown "
        "[[Backup] Akira] false|true|true",
        State());
    Select(List(), "Syndicate");
    EXPECT_TRUE(State().endsWith("[Syndicate] true|false|true"));
    // A stray Enter must not replace the one backup; Esc closes from any control.
    for (QWidget* control : {static_cast<QWidget*>(List()), Child(window.get(), "Command1")}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
    }
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_EQ("backup of Syndicate", test::ReadFile(SaveDataFile("Syndicate") + ".bak"));
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(Child(window.get(), "Command3"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    Open();
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(NvramWindowTest, SuccessRebuildsTheListFailureAndNoLeaveItAsItWas)
{
    test::WriteFile(SaveDataFile("Akira"), "scores");
    test::WriteFile(SaveDataFile("Syndicate"), "agents");
    Open();
    Select(List(), "Syndicate");
    Click("Command1");
    host->ExpectMessage("Backup created successfully.", MessageIcon::Information);
    EXPECT_EQ("[Backup] Syndicate,Akira,Syndicate [[Backup] Syndicate] false|true|true", State());
    Select(List(), "Akira");
    host->AnswerNextQuestion(MessageAnswer::No);
    Click("Command3");
    EXPECT_EQ("Delete data from \"Akira\" ?", host->TakeMessage().text);
    std::filesystem::remove(SaveDataFile("Akira"));
    Click("Command1");
    host->ExpectMessage("Error writing to file: " + SaveDataFile("Akira") + ".bak");
    EXPECT_EQ("[Backup] Syndicate,Akira,Syndicate [Akira] true|false|true", State());
    List()->setCurrentRow(0);
    Click("Command2");
    host->ExpectMessage("NVRAM restored successfully.", MessageIcon::Information);
    for (const char* left : {"Syndicate [Syndicate] true|false|true", " [] false|false|false"}) {
        host->AnswerNextQuestion(MessageAnswer::Yes);
        Click("Command3");
        host->TakeMessage();
        EXPECT_EQ(left, State());
    }
    Click("Command4");  // an empty list leaves only Exit
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace talvero
