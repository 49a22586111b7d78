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
    std::string In(const char* name) const { return test::ReadFile(folder / ("libs/" + std::string(name))); }
    const std::string pack = DemoSupportPack();
};

TEST_F(SupportPackTest, EachRoutineWritesItsMembersByteExact)
{
    test::WriteFile(folder / "libs/lowlevel.library", std::string(99999, 'z'));  // replaced whole
    ExtractLowlevel(1, folder / "libs");
    EXPECT_FALSE(test::Exists(folder / "libs/nonvolatile.library"));
    ExtractLowlevel(2, folder / "libs");
    ExtractFakepad(folder / "libs");
    ExtractDebox(folder / "libs");
    ExtractNvramHardfile(folder / "libs");
    // Each member at its fixed 1-based position and length, typed here from the pack's layout.
    const std::tuple<const char*, std::size_t, std::size_t> members[] = {
        {"lowlevel.library", 1, 27724},
        {"nonvolatile.library", 27725, 4024},
        {"fakepad", 31749, 1828},
        {"debox.library", 66345, 3500},
        {"playerprefs.library", 69845, 20 * 8683},
        {"nvram.hdf", 33577, 32768}};
    for (const auto& [name, position, length] : members)
        EXPECT_EQ(pack.substr(position - 1, length), In(name)) << name;
    test::WriteFile(folder / "libs/nvram.hdf", "saved games");  // an existing hard file holds saves
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
