// Start game on real files: the lines every start writes, the CD check, the hand-over.
#include "app/StartGame.h"

#include "app/Shutdown.h"
#include "emulator/ConfigEditor.h"
#include "platform/FaultHooks.h"
#include "platform/FileError.h"
#include "tests/support/AppFolderTest.h"

#include <filesystem>

namespace talvero {
namespace {

// Without the keys that a start sets, every call appends its line: the file shows the order.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

class StartGameTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Cache");
        test::WriteFile(App(kConfigFile), kBareConfig);
    }
    void Start(const std::string& title, Switches switches = {}, InstallerOptions options = {})
    {
        StartGame(title, switches, [options] { return options; });
    }
};

// The switches give the start's lines, in order before the installer's own; the installer takes
// the drive from the field's first two characters and writes the sound line only with sound emulation.
TEST_F(StartGameTest, TheStartsLinesComeBeforeTheInstallersOwn)
{
    InsertDemoCd("Lemmings");
    Start("Lemmings", {true, false}, {"D:", true});
    EXPECT_EQ((std::vector<std::string>{"kickstart_rom_file=kick31.rom", "joyport1=kbd2", "gfx_framerate=2",
                                        "cachesize=0", "chipset=ocs", "gfx_immediate_blits=false",
                                        "hardfile=", "win32.map_drives=true", "sound_output=normal",
                                        "filesystem=rw,0:" + (folder / "Cache/lemm")}),
              ConfigLines());
    WaitForLaunchLog(1);  // that emulator has ended, so that the next start asks nothing
    test::WriteFile(App(kConfigFile), kBareConfig);
    InsertDemoCd("Dark Seed", "E");
    Start("Dark Seed", {false, true}, {"E:x", false});  // the field holds more than a drive
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_EQ((std::vector<std::string>{"kickstart_rom_file=kick31.rom", "joyport1=kbd2", "gfx_framerate=1",
                                        "cachesize=2048", "chipset=aga", "gfx_immediate_blits=false",
                                        "hardfile=", "win32.map_drives=true",
                                        "filesystem=rw,0:" + (folder / "Cache/dark")}),
              ConfigLines());
    WaitForLaunchLog(2);
}

TEST_F(StartGameTest, WithoutItsCdTheGameIsAskedForAndTheLinesStayWritten)
{
    Start("Akira");
    host->ExpectMessage("Please insert the \"Akira\"-CD first!", MessageIcon::Exclamation);
    EXPECT_EQ("aga", ConfigValue("chipset="));
    InsertDemoCd("Gloom");
    Start("Akira");
    host->ExpectMessage("Please insert the \"Akira\"-CD first!", MessageIcon::Exclamation);
    test::MakeFolders(folder / "Drives/D/ab.exec");
    Start("Alien Breed Special Edition '92");
    host->ExpectMessage("Please insert the \"Alien Breed Special Edition '92\"-CD first!",
                        MessageIcon::Exclamation);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir") || test::Exists(App("\\WinUAE\\launch.log")));
    Start("");  // nothing selected: the lines only
    EXPECT_EQ(0u, host->PendingMessages());
}

TEST_F(StartGameTest, AConfigurationThatCannotBeWrittenSaysSoInsteadOfAskingForTheCd)
{
    InsertDemoCd("Akira");
    faults::SetReplaceHook([](faults::ReplaceStep, const std::string&) {
        throw FileError(ErrorNumber::DiskFull, "disk full");  // any number but 53, 75 and 76
    });
    Start("Akira");
    host->ExpectMessage("Error writing to a file!");
    faults::SetReplaceHook(nullptr);
    test::MakeReadOnly(App(kConfigFile));
    Start("Akira");
    host->ExpectMessage("Error writing to a file!");
    EXPECT_EQ(kBareConfig, Config());
    test::MakeWritable(App(kConfigFile));  // Windows refuses to delete a read-only file
    std::filesystem::remove(App(kConfigFile));
    Start("Akira");
    host->ExpectMessage("Important file not found. Can't start the selected game!");
    EXPECT_EQ(0, host->endProgramRequests);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

TEST_F(StartGameTest, TheShutdownResetsTheLinesAndRemovesDefaultNewEvenWhenTheyCannotBeWritten)
{
    test::WriteFile(App(kConfigTempFile), "left over");
    ResetConfigurationAtShutdown();
    EXPECT_EQ(
        (std::vector<std::string>{"kickstart_rom_file=kick31.rom", "joyport1=kbd2",
                                  "filesystem=rw,tmp:" + (folder / "Cache/tmp"), "win32.map_drives=false"}),
        ConfigLines());
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    test::WriteFile(App(kConfigTempFile), "left over");
    test::MakeReadOnly(App(kConfigFile));
    ResetConfigurationAtShutdown();
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
}

}  // namespace
}  // namespace talvero
