// Cutting the Amiga runtime files out of the support-file pack.
#include "install/SupportPack.h"

#include "demo/DemoFolder.h"
#include "platform/AppFolder.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

class SupportPackTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::WriteFile(App(kSupportPack), pack);
        test::MakeFolders(folder / "libs");
    }
    // The member's bytes at their fixed 1-based position, typed here from the pack's layout.
    std::string Slice(std::uint64_t position, std::size_t length) const
    {
        return pack.substr(position - 1, length);
    }
    std::string In(const char* name) const { return test::ReadFile(folder / ("libs/" + std::string(name))); }
    const std::string pack = DemoSupportPack();
};

TEST_F(SupportPackTest, EachRoutineWritesItsMembersByteExact)
{
    test::WriteFile(folder / "libs/lowlevel.library", std::string(99999, 'z'));
    ExtractLowlevel(1, folder / "libs");
    EXPECT_EQ(Slice(1, 27724), In("lowlevel.library"));
    EXPECT_FALSE(test::Exists(folder / "libs/nonvolatile.library"));
    ExtractLowlevel(2, folder / "libs");
    EXPECT_EQ(Slice(27725, 4024), In("nonvolatile.library"));
    ExtractFakepad(folder / "libs");
    EXPECT_EQ(Slice(31749, 1828), In("fakepad"));
    ExtractDebox(folder / "libs");
    EXPECT_EQ(Slice(66345, 3500), In("debox.library"));
    EXPECT_EQ(Slice(69845, 20 * 8683), In("playerprefs.library"));
    EXPECT_EQ(20u * 8683u, In("playerprefs.library").size());
    ExtractNvramHardfile(folder / "libs");
    EXPECT_EQ(Slice(33577, 32768), In("nvram.hdf"));
    test::WriteFile(folder / "libs/nvram.hdf", "saved games");
    ExtractNvramHardfile(folder / "libs");
    EXPECT_EQ("saved games", In("nvram.hdf"));
}

TEST_F(SupportPackTest, AShortOrMissingPackOrFolderFailsWithItsNumber)
{
    test::WriteFile(App(kSupportPack), pack.substr(0, 69844 + 5 * 8683 + 100));
    EXPECT_EQ(62, test::ErrorNumberOf([&] { ExtractDebox(folder / "libs"); }));
    EXPECT_TRUE(test::Exists(folder / "libs/debox.library"));
    EXPECT_FALSE(test::Exists(folder / "libs/playerprefs.library"));
    EXPECT_EQ(76, test::ErrorNumberOf([&] { ExtractFakepad(folder / "nofolder"); }));
    test::TestFolder empty;
    SetAppFolder(empty.path());
    EXPECT_EQ(53, test::ErrorNumberOf([&] { ExtractFakepad(folder / "libs"); }));
}

}  // namespace
}  // namespace talvero
