// The NVRAM manager's window, driven offscreen; its actions are tested in NvramManagerTest.
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

TEST_F(NvramWindowTest, TheEntriesInWordOrderAndEnterPressesNoButton)
{
    for (const char* title : {"D-Generation", "Dark Seed", "Syndicate"})
        test::WriteFile(SaveDataFile(title), title);
    for (const char* title : {"Akira", "Syndicate"})
        test::WriteFile(SaveDataFile(title) + ".bak", "backup");
    Open();
    EXPECT_EQ("NVRAM-Manager v1.1|&Backup|&Restore|De&lete|&Exit|false|false|false|false",
              window->windowTitle() + "|" +
                  Props(window.get(), "text", "Command1 Command2 Command3 Command4") + "|" +
                  Props(window.get(), "autoDefault", "Command1 Command2 Command3 Command4"));
    EXPECT_EQ(
        "[Backup] Akira,[Backup] Syndicate,Dark Seed,D-Generation,Syndicate [[Backup] Akira] false|true|true",
        State());
    Select(List(), "Syndicate");
    EXPECT_TRUE(State().endsWith("[Syndicate] true|false|true"));
    // A stray Enter must not replace the one backup; Esc closes from any control.
    for (QWidget* control : {static_cast<QWidget*>(List()), Child(window.get(), "Command1")}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
    }
    EXPECT_EQ("backup|1", test::ReadFile(SaveDataFile("Syndicate") + ".bak") + "|" +
                              std::to_string(window->isVisible() + host->PendingMessages()));
    QTest::keyClick(Child(window.get(), "Command3"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(NvramWindowTest, SuccessRebuildsTheListFailureAndNoLeaveItAsItWas)
{
    test::WriteFile(SaveDataFile("Akira"), "scores");
    test::WriteFile(SaveDataFile("Syndicate"), "agents");
    Open();
    Select(List(), "Syndicate");
    Click("Command1");
    host->TakeMessage();
    EXPECT_EQ("[Backup] Syndicate,Akira,Syndicate [[Backup] Syndicate] false|true|true", State());
    Select(List(), "Akira");
    host->AnswerNextQuestion(MessageAnswer::No);
    Click("Command3");
    std::filesystem::remove(SaveDataFile("Akira"));
    Click("Command1");
    const std::string question = host->TakeMessage().text;
    EXPECT_EQ("Delete data from \"Akira\" ?|Error writing to file: " + SaveDataFile("Akira") + ".bak",
              question + "|" + host->TakeMessage().text);
    EXPECT_EQ("[Backup] Syndicate,Akira,Syndicate [Akira] true|false|true", State());
    List()->setCurrentRow(0);
    Click("Command2");
    host->TakeMessage();
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
