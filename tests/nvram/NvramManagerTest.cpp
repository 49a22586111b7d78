// The NVRAM manager's table, typed here, and its actions on real save files.
#include "nvram/NvramManager.h"

#include "nvram/SaveDataTable.h"
#include "platform/FaultHooks.h"
#include "tests/support/AppFolderTest.h"

#include <numeric>

namespace talvero {
namespace {

using NvramTest = test::AppFolderTest;

// Each game's save file, as the manager backs it up and restores it: a wrong path loses saves.
TEST(SaveDataTable, SevenGamesAndTheirSaveFiles)
{
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Akira", "\\Cache\\akir\\nv\\Akira\\HighScores"},
        {"D-Generation", "\\Cache\\dgen\\nv\\DGEN\\1"},
        {"Dark Seed", "\\Cache\\dark\\nv\\DARKSEED\\0"},
        {"GunShip 2000", "\\Cache\\gs2k\\nv\\GS2000\\Roster"},
        {"James Pond 2 - RoboCod", "\\Cache\\jp2r\\nv\\RoboCod Data\\High Score"},
        {"Syndicate", "\\Cache\\synd\\nv\\Syn\\0"},
        {"UFO - Enemy Unknown", "\\Cache\\ufo1\\nv\\nvram.hdf"}};
    std::vector<std::pair<std::string, std::string>> actual;
    for (const SaveDataRow& row : SaveDataTable())
        actual.emplace_back(row.title, row.dataFile);
    EXPECT_EQ(expected, actual);
}

TEST_F(NvramTest, BackupIsCreatedThenUpdatedAndRestoreIsByteExact)
{
    const std::string ufo = SaveDataFile("UFO - Enemy Unknown");
    std::string bytes(70000, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');  // every byte value, many times
    test::WriteFile(ufo, "first");
    EXPECT_TRUE(BackupSaveData("UFO - Enemy Unknown"));
    host->ExpectMessage("Backup created successfully.", MessageIcon::Information);
    test::WriteFile(ufo, bytes);
    EXPECT_TRUE(BackupSaveData("UFO - Enemy Unknown"));
    host->ExpectMessage("Backup updated successfully.", MessageIcon::Information);
    test::WriteFile(ufo, "newer");  // restoring a missing file is shown in NvramWindowTest
    EXPECT_TRUE(RestoreSaveData("[Backup] UFO - Enemy Unknown"));
    host->ExpectMessage("NVRAM restored successfully.", MessageIcon::Information);
    EXPECT_TRUE(bytes == test::ReadFile(ufo));
    EXPECT_TRUE(bytes == test::ReadFile(ufo + ".bak"));
}

// The list holds the data files, then the backups. Delete
// asks about the title; No changes nothing, and deleting one of a game's two files keeps the other.
TEST_F(NvramTest, EntriesOfFilesThatExistAndDeleteAsksFirst)
{
    const std::string akira = SaveDataFile("Akira");
    test::WriteFile(akira, "scores");
    test::WriteFile(akira + ".bak", "old scores");
    test::WriteFile(SaveDataFile("UFO - Enemy Unknown"), "u");
    EXPECT_EQ((std::vector<std::string>{"Akira", "UFO - Enemy Unknown", "[Backup] Akira"}), NvramEntries());
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        host->AnswerNextQuestion(answer);
        EXPECT_EQ(answer == MessageAnswer::Yes, DeleteSaveData("[Backup] Akira"));
        const MessageBoxRequest question = host->TakeMessage();
        EXPECT_EQ("Delete backed up data from \"Akira\" ?", question.text);
        EXPECT_EQ(MessageButtons::YesNo, question.buttons);
        EXPECT_EQ(MessageAnswer::No, question.defaultAnswer);
        EXPECT_EQ(answer == MessageAnswer::No, test::Exists(akira + ".bak"));
    }
    EXPECT_EQ("scores", test::ReadFile(akira));
    host->AnswerNextQuestion(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteSaveData("Akira"));
    EXPECT_EQ("Delete data from \"Akira\" ?", host->TakeMessage().text);
    EXPECT_EQ(std::vector<std::string>{"UFO - Enemy Unknown"}, NvramEntries());
}

// A read-only backup, a copy that fails half-way and a folder that refuses the delete: each
// failure names the file and leaves both files as they were.
TEST_F(NvramTest, FailuresNameTheFileAndLeaveItAsItWas)
{
    const std::string akira = SaveDataFile("Akira");
    test::WriteFile(akira, "new scores");
    test::WriteFile(akira + ".bak", "the only good backup");
    test::MakeReadOnly(akira + ".bak");
    EXPECT_FALSE(BackupSaveData("Akira"));
    host->ExpectMessage("Error writing to file: " + akira + ".bak");
    test::MakeWritable(akira + ".bak");
    faults::SetReplaceHook([](faults::ReplaceStep step, const std::string&) {
        if (step == faults::ReplaceStep::PartWritten)
            throw FileError(ErrorNumber::DiskFull, "disk full");
    });
    EXPECT_FALSE(BackupSaveData("Akira"));
    EXPECT_FALSE(RestoreSaveData("[Backup] Akira"));
    host->ExpectMessage("Error writing to file: " + akira + ".bak");
    host->ExpectMessage("Error writing to file: " + akira);
    EXPECT_EQ("the only good backup", test::ReadFile(akira + ".bak"));
    EXPECT_EQ("new scores", test::ReadFile(akira));
    if (test::ReadOnlyFoldersAreEnforced()) {
        test::MakeReadOnly(folder / "Cache/akir/nv/Akira");
        host->AnswerNextQuestion(MessageAnswer::Yes);
        EXPECT_FALSE(DeleteSaveData("Akira"));
        host->TakeMessage();
        host->ExpectMessage("Error deleting file: " + akira);
        EXPECT_TRUE(test::Exists(akira));
    }
}

}  // namespace
}  // namespace talvero
