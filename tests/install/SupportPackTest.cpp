// Cutting the Amiga runtime files out of the support-file pack.
#include "demo/DemoFolder.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

class SupportPackTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        pack = DemoSupportPack();
        test::WriteFile(App(kSupportPack), pack);
        test::MakeFolders(folder / "libs");
    }
    std::string Slice(std::uint64_t position, std::size_t length) const { return pack.substr(position - 1, length); }
    std::string pack;
};

TEST_F(SupportPackTest, ModeOneWritesLowlevelOnlyModeTwoBoth)
{
    ExtractLowlevel(1, folder / "libs");
    EXPECT_EQ(Slice(1, 27724), test::ReadFile(folder / "libs/lowlevel.library"));
    EXPECT_FALSE(test::Exists(folder / "libs/nonvolatile.library"));
    ExtractLowlevel(2, folder / "libs");
    EXPECT_EQ(Slice(27725, 4024), test::ReadFile(folder / "libs/nonvolatile.library"));
}

TEST_F(SupportPackTest, FakepadAndDeboxWithPlayerprefsByteExact)
{
    ExtractFakepad(folder / "libs");
    ExtractDebox(folder / "libs");
    EXPECT_EQ(Slice(31749, 1828), test::ReadFile(folder / "libs/fakepad"));
    EXPECT_EQ(Slice(66345, 3500), test::ReadFile(folder / "libs/debox.library"));
    const std::string playerprefs = test::ReadFile(folder / "libs/playerprefs.library");
    EXPECT_EQ(20u * 8683u, playerprefs.size());
    EXPECT_EQ(Slice(69845, 20 * 8683), playerprefs);
}

TEST_F(SupportPackTest, NvramHardfileIsWrittenOnlyWhenMissing)
{
    ExtractNvramHardfile(folder / "libs");
    EXPECT_EQ(Slice(33577, 32768), test::ReadFile(folder / "libs/nvram.hdf"));
    test::WriteFile(folder / "libs/nvram.hdf", "saved games");
    ExtractNvramHardfile(folder / "libs");
    EXPECT_EQ("saved games", test::ReadFile(folder / "libs/nvram.hdf"));
}

TEST_F(SupportPackTest, AnExistingMemberIsOverwritten)
{
    test::WriteFile(folder / "libs/lowlevel.library", std::string(99999, 'z'));
    ExtractLowlevel(1, folder / "libs");
    EXPECT_EQ(Slice(1, 27724), test::ReadFile(folder / "libs/lowlevel.library"));
}

TEST_F(SupportPackTest, AShortPackFailsWithItsOwnNumberAndLeavesNoPartialMember)
{
    test::WriteFile(App(kSupportPack), pack.substr(0, 69844 + 5 * 8683 + 100));
    try {
        ExtractDebox(folder / "libs");
        FAIL() << "a short pack must fail";
    } catch (const FileError& error) {
        EXPECT_EQ(62, error.number());
    }
    EXPECT_TRUE(test::Exists(folder / "libs/debox.library"));
    EXPECT_FALSE(test::Exists(folder / "libs/playerprefs.library"));
}

TEST_F(SupportPackTest, MissingPackIs53AndMissingFolderIs76)
{
    try {
        ExtractFakepad(folder / "nofolder");
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(76, error.number());
    }
    test::TestFolder empty;
    SetAppFolder(empty.path());
    try {
        ExtractFakepad(folder / "libs");
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(53, error.number());
    }
}

}  // namespace
}  // namespace talvero
