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
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Akira", "\\Cache\\akir\\nv\\Akira\\HighScores"},
        {"D-Generation", "\\Cache\\dgen\\nv\\DGEN\\1"},
        {"Dark Seed", "\\Cache\\dark\\nv\\DARKSEED\\0"},
        {"GunShip 2000", "\\Cache\\gs2k\\nv\\GS2000\\Roster"},
        {"James Pond 2 - RoboCod", "\\Cache\\jp2r\\nv\\RoboCod Data\\High Score"},
        {"Syndicate", "\\Cache\\synd\\nv\\Syn\\0"},
        {"UFO - Enemy Unknown", "\\Cache\\ufo1\\nv\\nvram.hdf"}};
    std::vector<std::pair<std::string, std::string>> rows;
    for (const SaveDataRow& row : SaveDataTable())
        rows.emplace_back(row.title, row.dataFile);
    EXPECT_EQ(expected, rows);
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
    test::WriteFile(SaveDataFile("GunShip 2000"), "roster one");
    EXPECT_TRUE(BackupSaveData("GunShip 2000"));
    host->ExpectMessage("Backup created successfully.", MessageIcon::Information);
    test::WriteFile(SaveDataFile("GunShip 2000"), "roster two");
    EXPECT_TRUE(BackupSaveData("GunShip 2000"));
    host->ExpectMessage("Backup updated successfully.", MessageIcon::Information);
    EXPECT_EQ("roster two", test::ReadFile(SaveDataFile("GunShip 2000") + ".bak"));

    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    test::WriteFile(SaveDataFile("UFO - Enemy Unknown") + ".bak", bytes);
    for (int pass = 0; pass < 2; ++pass) {  // over a newer file, then creating the missing one
        EXPECT_TRUE(RestoreSaveData("[Backup] UFO - Enemy Unknown"));
        host->ExpectMessage("NVRAM restored successfully.", MessageIcon::Information);
        EXPECT_EQ(bytes, test::ReadFile(SaveDataFile("UFO - Enemy Unknown")));
        EXPECT_EQ(bytes, test::ReadFile(SaveDataFile("UFO - Enemy Unknown") + ".bak"));
        std::filesystem::remove(SaveDataFile("UFO - Enemy Unknown"));
    }
    EXPECT_FALSE(BackupSaveData("[Backup] Akira") || RestoreSaveData("Akira"));
}

TEST_F(NvramTest, DeleteAsksAboutTheTitleAndNoChangesNothing)
{
    test::WriteFile(SaveDataFile("Akira"), "scores");
    test::WriteFile(SaveDataFile("Akira") + ".bak", "old scores");
    host->AnswerNextQuestion(MessageAnswer::No);
    EXPECT_FALSE(DeleteSaveData("[Backup] Akira"));
    const MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", question.text);
    EXPECT_EQ(MessageIcon::Question, question.icon);
    EXPECT_EQ(MessageButtons::YesNo, question.buttons);
    EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
    EXPECT_TRUE(test::Exists(SaveDataFile("Akira") + ".bak"));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("[Backup] Akira"));
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(SaveDataFile("Akira") + ".bak"));
    EXPECT_EQ("scores", test::ReadFile(SaveDataFile("Akira")));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("Akira"));
    EXPECT_EQ("Delete data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(SaveDataFile("Akira")));
    EXPECT_FALSE(DeleteSaveData("[Backup] Gloom"));  // no such row: no question
}

TEST_F(NvramTest, FailuresNameTheFileAndLeaveItAsItWas)
{
    test::WriteFile(SaveDataFile("Akira"), "new scores");
    test::WriteFile(SaveDataFile("Akira") + ".bak", "old scores");
    test::MakeReadOnly(SaveDataFile("Akira") + ".bak");
    EXPECT_FALSE(BackupSaveData("Akira"));
    host->ExpectMessage("Error writing to file: " + SaveDataFile("Akira") + ".bak");
    EXPECT_EQ("old scores", test::ReadFile(SaveDataFile("Akira") + ".bak"));

    EXPECT_FALSE(BackupSaveData("Dark Seed"));  // the data file vanished after the list was built
    host->ExpectMessage("Error writing to file: " + SaveDataFile("Dark Seed") + ".bak");

    const std::string jp2r = SaveDataFile("James Pond 2 - RoboCod");
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
    EXPECT_EQ("the only good backup", test::ReadFile(jp2r + ".bak"));
    EXPECT_EQ("new high scores", test::ReadFile(jp2r));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(folder / "Cache/jp2r/nv/RoboCod Data"),
                               std::filesystem::directory_iterator()));

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
