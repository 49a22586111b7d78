// The NVRAM manager's window, driven offscreen; its actions are tested in NvramManagerTest.
#include "nvram/frmNVRAM.h"
#include "tests/support/GuiTest.h"

namespace talvero {
namespace {

using NvramWindowTest = test::GuiTest;

// The entries in word order, backups first; Enter in the list presses no button; success rebuilds the
// list, a failure leaves it as it was; an empty list leaves only Exit.
TEST_F(NvramWindowTest, EntriesInWordOrderEnterPressesNothingAndOnlySuccessRebuildsTheList)
{
    for (const char* title : {"D-Generation", "Dark Seed", "Syndicate"})
        test::WriteFile(SaveDataFile(title), title);
    for (const char* title : {"Akira", "Syndicate"})
        test::WriteFile(SaveDataFile(title) + ".bak", "backup");
    auto window = std::make_unique<frmNVRAM>(nullptr);
    const auto list = [&] { return Child<QListWidget>(window.get(), "List1"); };
    const auto entries = [&] {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    };
    // Whether Backup, Restore and Delete are enabled.
    const auto expectButtons = [&](const char* backup, const char* restore, const char* remove) {
        ExpectProps(window.get(), "enabled", {{"Command1", backup}, {"Command2", restore}, {"Command3", remove}});
    };
    // Clicks a button, answering its question if asked: the message it shows.
    const auto click = [&](const char* button, MessageAnswer answer = MessageAnswer::Ok) {
        if (answer != MessageAnswer::Ok)
            host->AnswerNextQuestion(answer);
        ClickOn(window.get(), button);
        return host->TakeMessage().text;
    };
    window->show();
    EXPECT_EQ("NVRAM-Manager v1.1", window->windowTitle());
    ExpectProps(window.get(), "text",
                {{"Command1", "&Backup"}, {"Command2", "&Restore"}, {"Command3", "De&lete"}, {"Command4", "&Exit"}});
    EXPECT_EQ((QStringList{"[Backup] Akira", "[Backup] Syndicate", "Dark Seed", "D-Generation", "Syndicate"}),
              entries());
    EXPECT_EQ("[Backup] Akira", Selected(list()));
    expectButtons("false", "true", "true");
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
    const QStringList both = {"[Backup] Akira", "Akira"};
    EXPECT_EQ("Backup created successfully.", click("Command1"));
    EXPECT_EQ(both, entries());
    Select(list(), "Akira");
    expectButtons("true", "false", "true");
    click("Command3", MessageAnswer::Yes);
    EXPECT_EQ(QStringList{"[Backup] Akira"}, entries());
    EXPECT_EQ("NVRAM restored successfully.", click("Command2"));
    EXPECT_EQ(both, entries());
    Select(list(), "Akira");
    std::filesystem::remove(SaveDataFile("Akira"));
    EXPECT_EQ("Error writing to file: " + SaveDataFile("Akira") + ".bak", click("Command1"));
    EXPECT_EQ(both, entries());
    EXPECT_EQ("Akira", Selected(list()));
    list()->setCurrentRow(0);
    click("Command3", MessageAnswer::Yes);
    EXPECT_EQ(QStringList{}, entries());
    expectButtons("false", "false", "false");
    ClickOn(window.get(), "Command4");
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace talvero
