// Which save files the NVRAM manager lists.
#include "nvram/NvramManager.h"
#include "nvram/SaveDataTable.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

class NvramEntriesTest : public test::AppFolderTest {};

TEST_F(NvramEntriesTest, DataEntriesThenBackupEntriesOfFilesThatExist)
{
    EXPECT_TRUE(NvramEntries().empty());
    test::WriteFile(folder / "Cache/ufo1/nv/nvram.hdf", "u");
    test::WriteFile(folder / "Cache/akir/nv/Akira/HighScores.bak", "a");
    test::WriteFile(folder / "Cache/synd/nv/Syn/0", "s");
    EXPECT_EQ((std::vector<std::string>{"Syndicate", "UFO - Enemy Unknown", "[Backup] Akira"}), NvramEntries());
}

TEST_F(NvramEntriesTest, FoldersAndHiddenFilesAreNotFound)
{
    test::MakeFolders(folder / "Cache/akir/nv/Akira/HighScores");
    test::MakeFolders(folder / "Cache/dgen/nv/.DGEN");
    test::WriteFile(folder / "Cache/dgen/nv/.DGEN/1", "hidden folder, visible file");
    EXPECT_TRUE(NvramEntries().empty());
}

TEST(SaveDataTable, SevenGamesAndTheirBackupEntries)
{
    ASSERT_EQ(7u, SaveDataTable().size());
    EXPECT_EQ("[Backup] UFO - Enemy Unknown", BackupEntry("UFO - Enemy Unknown"));
    EXPECT_TRUE(IsBackupEntry("[Backup] Akira"));
    EXPECT_FALSE(IsBackupEntry("[backup] Akira"));
    EXPECT_FALSE(IsBackupEntry("Akira"));
}

}  // namespace
}  // namespace talvero
