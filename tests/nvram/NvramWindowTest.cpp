// The NVRAM manager's window, driven offscreen; its actions are tested in NvramManagerTest.
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

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
    // Clicks a button, answering its question if asked; the entries, the selected one, and whether
    // Backup, Restore and Delete are enabled afterwards, after the message shown.
    QString After(const char* button, MessageAnswer answer = MessageAnswer::Ok)
    {
        if (answer != MessageAnswer::Ok)
            host->AnswerNextQuestion(answer);
        ClickOn(window.get(), button);
        return QString::fromStdString(host->TakeMessage().text) + " " + State();
    }
    QString State()
    {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i)
            entries << List()->item(i)->text();
        return entries.join(',') + " [" + Selected(List()) + "] " +
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
    // A stray Enter in the list must not replace the one backup (no button takes it); Esc closes.
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Return);
    QTest::keyClick(List(), Qt::Key_Enter);
    EXPECT_EQ("backup", test::ReadFile(SaveDataFile("Syndicate") + ".bak"));
    QTest::keyClick(Child(window.get(), "Command3"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

// Success rebuilds the list, No leaves it as it was; an empty list leaves only Exit.
TEST_F(NvramWindowTest, SuccessRebuildsTheListNoLeavesItAsItWas)
{
    test::WriteFile(SaveDataFile("Akira"), "scores");
    Open();
    EXPECT_EQ("Backup created successfully. [Backup] Akira,Akira [[Backup] Akira] false|true|true",
              After("Command1"));
    Select(List(), "Akira");
    EXPECT_EQ("Delete data from \"Akira\" ? [Backup] Akira,Akira [Akira] true|false|true",
              After("Command3", MessageAnswer::No));
    EXPECT_TRUE(
        After("Command3", MessageAnswer::Yes).endsWith(" [Backup] Akira [[Backup] Akira] false|true|true"));
    EXPECT_EQ("NVRAM restored successfully. [Backup] Akira,Akira [[Backup] Akira] false|true|true",
              After("Command2"));
    EXPECT_TRUE(After("Command3", MessageAnswer::Yes).endsWith(" Akira [Akira] true|false|true"));
    EXPECT_TRUE(After("Command3", MessageAnswer::Yes).endsWith("  [] false|false|false"));
    ClickOn(window.get(), "Command4");
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace talvero
