// The NVRAM manager's table and actions on real save files.
#include "nvram/NvramManager.h"

#include "nvram/SaveDataTable.h"
#include "platform/FaultHooks.h"
#include "platform/FileError.h"
#include "tests/support/AppFolderTest.h"

#include <filesystem>

namespace talvero {
namespace {

class NvramTest : public test::AppFolderTest {
protected:
    std::string Data(const std::string& title) const
    {
        for (const SaveDataRow& row : SaveDataTable()) {
            if (row.title == title)
                return App(row.dataFile);
        }
        return {};
    }
};

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
    test::WriteFile(Data("UFO - Enemy Unknown"), "u");
    test::WriteFile(Data("Akira") + ".bak", "a");
    test::WriteFile(Data("Syndicate"), "s");
    test::MakeFolders(Data("D-Generation"));
    test::WriteFile(folder / "Cache/dark/nv/DARKSEED/.0", "hidden");
    EXPECT_EQ((std::vector<std::string>{"Syndicate", "UFO - Enemy Unknown", "[Backup] Akira"}),
              NvramEntries());
}

TEST_F(NvramTest, BackupIsCreatedThenUpdatedAndRestoreIsByteExact)
{
    test::WriteFile(Data("GunShip 2000"), "roster one");
    EXPECT_TRUE(BackupSaveData("GunShip 2000"));
    host->ExpectMessage("Backup created successfully.", MessageIcon::Information);
    test::WriteFile(Data("GunShip 2000"), "roster two");
    EXPECT_TRUE(BackupSaveData("GunShip 2000"));
    host->ExpectMessage("Backup updated successfully.", MessageIcon::Information);
    EXPECT_EQ("roster two", test::ReadFile(Data("GunShip 2000") + ".bak"));

    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    test::WriteFile(Data("UFO - Enemy Unknown") + ".bak", bytes);
    for (int pass = 0; pass < 2; ++pass) {  // over a newer file, then creating the missing one
        EXPECT_TRUE(RestoreSaveData("[Backup] UFO - Enemy Unknown"));
        host->ExpectMessage("NVRAM restored successfully.", MessageIcon::Information);
        EXPECT_EQ(bytes, test::ReadFile(Data("UFO - Enemy Unknown")));
        EXPECT_EQ(bytes, test::ReadFile(Data("UFO - Enemy Unknown") + ".bak"));
        std::filesystem::remove(Data("UFO - Enemy Unknown"));
    }
    EXPECT_FALSE(BackupSaveData("[Backup] Akira") || RestoreSaveData("Akira"));
}

TEST_F(NvramTest, DeleteAsksAboutTheTitleAndNoChangesNothing)
{
    test::WriteFile(Data("Akira"), "scores");
    test::WriteFile(Data("Akira") + ".bak", "old scores");
    host->AnswerNextQuestion(MessageAnswer::No);
    EXPECT_FALSE(DeleteSaveData("[Backup] Akira"));
    const MessageBoxRequest question = host->TakeMessage();
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", question.text);
    EXPECT_EQ(MessageIcon::Question, question.icon);
    EXPECT_EQ(MessageButtons::YesNo, question.buttons);
    EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
    EXPECT_TRUE(test::Exists(Data("Akira") + ".bak"));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("[Backup] Akira"));
    EXPECT_EQ("Delete backed up data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(Data("Akira") + ".bak"));
    EXPECT_EQ("scores", test::ReadFile(Data("Akira")));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("Akira"));
    EXPECT_EQ("Delete data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(Data("Akira")));
    EXPECT_FALSE(DeleteSaveData("[Backup] Gloom"));  // no such row: no question
}

TEST_F(NvramTest, FailuresNameTheFileAndLeaveItAsItWas)
{
    test::WriteFile(Data("Akira"), "new scores");
    test::WriteFile(Data("Akira") + ".bak", "old scores");
    test::MakeReadOnly(Data("Akira") + ".bak");
    EXPECT_FALSE(BackupSaveData("Akira"));
    host->ExpectMessage("Error writing to file: " + Data("Akira") + ".bak");
    EXPECT_EQ("old scores", test::ReadFile(Data("Akira") + ".bak"));

    EXPECT_FALSE(BackupSaveData("Dark Seed"));  // the data file vanished after the list was built
    host->ExpectMessage("Error writing to file: " + Data("Dark Seed") + ".bak");

    const std::string jp2r = Data("James Pond 2 - RoboCod");
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
        test::WriteFile(Data("Syndicate"), "agents");
        test::MakeReadOnly(folder / "Cache/synd/nv/Syn");
        host->AnswerNextQuestion(MessageAnswer::Yes);
        EXPECT_FALSE(DeleteSaveData("Syndicate"));
        host->TakeMessage();
        host->ExpectMessage("Error deleting file: " + Data("Syndicate"));
        EXPECT_TRUE(test::Exists(Data("Syndicate")));
    }
}

}  // namespace
}  // namespace talvero
