// The NVRAM manager's window, driven offscreen; its actions are tested in NvramManagerTest.
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

namespace talvero {
namespace {

using NvramWindowTest = test::GuiTest;

// The entries in word order, backups first; Enter in the list presses no button; success rebuilds the
// list, a failure and No leave it as it was; an empty list leaves only Exit.
TEST_F(NvramWindowTest, EntriesInWordOrderEnterPressesNothingAndOnlySuccessRebuildsTheList)
{
    for (const char* title : {"D-Generation", "Dark Seed", "Syndicate"})
        test::WriteFile(SaveDataFile(title), title);
    for (const char* title : {"Akira", "Syndicate"})
        test::WriteFile(SaveDataFile(title) + ".bak", "backup");
    auto window = std::make_unique<frmNVRAM>(nullptr);
    const auto list = [&] { return Child<QListWidget>(window.get(), "List1"); };
    // The entries, the selected one, and whether Backup, Restore and Delete are enabled.
    const auto state = [&] {
        QStringList entries;
        for (int i = 0; i < list()->count(); ++i)
            entries << list()->item(i)->text();
        return entries.join(',') + " [" + Selected(list()) + "] " +
               Props(window.get(), "enabled", "Command1 Command2 Command3");
    };
    // Clicks a button, answering its question if asked: the message it shows and the state after.
    const auto after = [&](const char* button, MessageAnswer answer = MessageAnswer::Ok) {
        if (answer != MessageAnswer::Ok)
            host->AnswerNextQuestion(answer);
        ClickOn(window.get(), button);
        return QString::fromStdString(host->TakeMessage().text) + " " + state();
    };
    window->show();
    EXPECT_EQ("NVRAM-Manager v1.1|&Backup|&Restore|De&lete|&Exit|false|false|false|false",
              window->windowTitle() + "|" +
                  Props(window.get(), "text", "Command1 Command2 Command3 Command4") + "|" +
                  Props(window.get(), "autoDefault", "Command1 Command2 Command3 Command4"));
    EXPECT_EQ(
        "[Backup] Akira,[Backup] Syndicate,Dark Seed,D-Generation,Syndicate [[Backup] Akira] false|true|true",
        state());
    Select(list(), "Syndicate");
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Return);
    QTest::keyClick(list(), Qt::Key_Enter);
    EXPECT_EQ("backup", test::ReadFile(SaveDataFile("Syndicate") + ".bak"));  // not replaced
    QTest::keyClick(Child(window.get(), "Command3"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());

    std::filesystem::remove_all(folder / "Cache");
    test::WriteFile(SaveDataFile("Akira"), "scores");
    window = std::make_unique<frmNVRAM>(nullptr);
    window->show();
    EXPECT_EQ("Backup created successfully. [Backup] Akira,Akira [[Backup] Akira] false|true|true",
              after("Command1"));
    Select(list(), "Akira");
    EXPECT_EQ("Delete data from \"Akira\" ? [Backup] Akira,Akira [Akira] true|false|true",
              after("Command3", MessageAnswer::No));
    EXPECT_TRUE(
        after("Command3", MessageAnswer::Yes).endsWith(" [Backup] Akira [[Backup] Akira] false|true|true"));
    EXPECT_EQ("NVRAM restored successfully. [Backup] Akira,Akira [[Backup] Akira] false|true|true",
              after("Command2"));
    Select(list(), "Akira");
    std::filesystem::remove(SaveDataFile("Akira"));
    EXPECT_EQ(QString::fromStdString("Error writing to file: " + SaveDataFile("Akira") + ".bak") +
                  " [Backup] Akira,Akira [Akira] true|false|true",
              after("Command1"));
    list()->setCurrentRow(0);
    EXPECT_TRUE(after("Command3", MessageAnswer::Yes).endsWith("  [] false|false|false"));
    ClickOn(window.get(), "Command4");
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace talvero
