// The note after a start through the FS-UAE bridge without the Kickstart ROM the options name.
#include "app/KickstartNote.h"

#include "tests/support/AppFolderTest.h"

#include <filesystem>

namespace talvero {
namespace {

class KickstartNoteTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::MakeFolders(folder / "WinUAE/Configurations");
        test::WriteFile(App(kConfigFile), "kickstart_rom_file=kick31.rom\r\n");
        test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"), "MZ a Windows emulator");
    }
    const EmulatorHost linux_{.runsWindowsPrograms = false, .fsUaeInstalled = true};
};

TEST_F(KickstartNoteTest, NamesTheMissingRomAndWhereARelativeNameIsLookedFor)
{
    EXPECT_EQ("The Kickstart ROM that the options name is not there:\n" + App("\\WinUAE\\kick31.rom") +
                  "\n\nFS-UAE runs the game with its own replacement ROM, with which many games work. For "
                  "your own Kickstart 3.1 ROM, choose its file in Program > Options (a name without a folder "
                  "is looked for in " +
                  App("\\WinUAE") + ").",
              BuiltInRomNote("Akira", linux_));
}

TEST_F(KickstartNoteTest, SaysNothingWhenTheRomIsThereOrNoBridgeStandsIn)
{
    EXPECT_EQ("", BuiltInRomNote("Akira", {.runsWindowsPrograms = true, .fsUaeInstalled = false}));
    EXPECT_EQ("", BuiltInRomNote("no such game", linux_));
    test::WriteFile(App("\\WinUAE\\KICK31.ROM"), "rom");  // found whatever its letter case
    EXPECT_EQ("", BuiltInRomNote("Akira", linux_));
    std::filesystem::remove(App("\\WinUAE\\KICK31.ROM"));
    test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"), "#!/bin/sh\n");  // a program that runs here
    EXPECT_EQ("", BuiltInRomNote("Akira", linux_));
}

}  // namespace
}  // namespace talvero
