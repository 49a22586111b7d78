// The NVRAM manager's table and actions on real save files.
#include "nvram/NvramManager.h"

#include "nvram/SaveDataTable.h"
#include "platform/FaultHooks.h"
#include "platform/FileError.h"
#include "tests/support/AppFolderTest.h"

#include <filesystem>

namespace talvero {
namespace {

using NvramTest = test::AppFolderTest;

TEST(SaveDataTable, SevenGamesTheirSaveFilesAndBackupEntries)
{
    std::string rows;
    for (const SaveDataRow& row : SaveDataTable())
        rows += row.title + ": " + row.dataFile + "\n";
    EXPECT_EQ("Akira: \\Cache\\akir\\nv\\Akira\\HighScores\nD-Generation: \\Cache\\dgen\\nv\\DGEN\\1\n"
              "Dark Seed: \\Cache\\dark\\nv\\DARKSEED\\0\nGunShip 2000: \\Cache\\gs2k\\nv\\GS2000\\Roster\n"
              "James Pond 2 - RoboCod: \\Cache\\jp2r\\nv\\RoboCod Data\\High Score\n"
              "Syndicate: \\Cache\\synd\\nv\\Syn\\0\nUFO - Enemy Unknown: \\Cache\\ufo1\\nv\\nvram.hdf\n",
              rows);
    EXPECT_EQ("[Backup] UFO - Enemy Unknown", BackupEntry("UFO - Enemy Unknown"));
    EXPECT_TRUE(IsBackupEntry("[Backup] Akira"));
    EXPECT_FALSE(IsBackupEntry("[backup] Akira") || IsBackupEntry("[Backup Akira") || IsBackupEntry("Akira"));
}

TEST_F(NvramTest, EntriesOfFilesThatExistDataFirstFoldersAndHiddenFilesNot)
{
    EXPECT_TRUE(NvramEntries().empty());
    test::WriteFile(SaveDataFile("UFO - Enemy Unknown"), "u");
    test::WriteFile(SaveDataFile("Akira") + ".bak", "a");
    test::WriteFile(SaveDataFile("Syndicate"), "s");
    test::MakeFolders(SaveDataFile("D-Generation"));
    test::WriteFile(folder / "Cache/dark/nv/DARKSEED/.0", "hidden");
    EXPECT_EQ((std::vector<std::string>{"Syndicate", "UFO - Enemy Unknown", "[Backup] Akira"}),
              NvramEntries());
}

TEST_F(NvramTest, BackupIsCreatedThenUpdatedAndRestoreIsByteExact)
{
    const std::string roster = SaveDataFile("GunShip 2000"), ufo = SaveDataFile("UFO - Enemy Unknown");
    test::WriteFile(roster, "roster one");
    EXPECT_TRUE(BackupSaveData("GunShip 2000"));
    host->ExpectMessage("Backup created successfully.", MessageIcon::Information);
    test::WriteFile(roster, "roster two");
    EXPECT_TRUE(BackupSaveData("GunShip 2000"));
    host->ExpectMessage("Backup updated successfully.", MessageIcon::Information);
    EXPECT_EQ("roster two", test::ReadFile(roster + ".bak"));
    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    test::WriteFile(ufo + ".bak", bytes);
    for (int pass = 0; pass < 2; ++pass) {  // over a newer file, then creating the missing one
        EXPECT_TRUE(RestoreSaveData("[Backup] UFO - Enemy Unknown"));
        host->ExpectMessage("NVRAM restored successfully.", MessageIcon::Information);
        EXPECT_EQ(bytes + "|" + bytes, test::ReadFile(ufo) + "|" + test::ReadFile(ufo + ".bak"));
        std::filesystem::remove(ufo);
    }
    EXPECT_FALSE(BackupSaveData("[Backup] Akira") || RestoreSaveData("Akira"));
}

TEST_F(NvramTest, DeleteAsksAboutTheTitleAndNoChangesNothing)
{
    const std::string akira = SaveDataFile("Akira");
    test::WriteFile(akira, "scores");
    test::WriteFile(akira + ".bak", "old scores");
    host->AnswerNextQuestion(MessageAnswer::No);
    EXPECT_FALSE(DeleteSaveData("[Backup] Akira"));
    const MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", question.text);
    EXPECT_EQ(MessageIcon::Question, question.icon);
    EXPECT_EQ(MessageButtons::YesNo, question.buttons);
    EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
    EXPECT_TRUE(test::Exists(akira + ".bak"));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("[Backup] Akira"));
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(akira + ".bak"));
    EXPECT_EQ("scores", test::ReadFile(akira));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("Akira"));
    EXPECT_EQ("Delete data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(akira));
    EXPECT_FALSE(DeleteSaveData("[Backup] Gloom"));  // no such row: no question
}

TEST_F(NvramTest, FailuresNameTheFileAndLeaveItAsItWas)
{
    const std::string akira = SaveDataFile("Akira"), jp2r = SaveDataFile("James Pond 2 - RoboCod");
    test::WriteFile(akira, "new scores");
    test::WriteFile(akira + ".bak", "old scores");
    test::MakeReadOnly(akira + ".bak");
    EXPECT_FALSE(BackupSaveData("Akira"));
    host->ExpectMessage("Error writing to file: " + akira + ".bak");
    EXPECT_EQ("old scores", test::ReadFile(akira + ".bak"));
    EXPECT_FALSE(BackupSaveData("Dark Seed"));  // the data file vanished after the list was built
    host->ExpectMessage("Error writing to file: " + SaveDataFile("Dark Seed") + ".bak");

    test::WriteFile(jp2r, "new high scores");
    test::WriteFile(jp2r + ".bak", "the only good backup");
    faults::SetReplaceHook([](faults::ReplaceStep step, const std::string&) {
        if (step == faults::ReplaceStep::PartWritten)
            throw FileError(ErrorNumber::DiskFull, "disk full");
    });
    EXPECT_FALSE(BackupSaveData("James Pond 2 - RoboCod"));
    host->ExpectMessage("Error writing to file: " + jp2r + ".bak");
    EXPECT_FALSE(RestoreSaveData("[Backup] James Pond 2 - RoboCod"));
    host->ExpectMessage("Error writing to file: " + jp2r);
    EXPECT_EQ("the only good backup|new high scores",
              test::ReadFile(jp2r + ".bak") + "|" + test::ReadFile(jp2r));
    if (test::ReadOnlyFoldersAreEnforced()) {
        test::WriteFile(SaveDataFile("Syndicate"), "agents");
        test::MakeReadOnly(folder / "Cache/synd/nv/Syn");
        host->AnswerNextQuestion(MessageAnswer::Yes);
        EXPECT_FALSE(DeleteSaveData("Syndicate"));
        host->TakeMessage();
        host->ExpectMessage("Error deleting file: " + SaveDataFile("Syndicate"));
        EXPECT_TRUE(test::Exists(SaveDataFile("Syndicate")));
    }
}

}  // namespace
}  // namespace talvero
