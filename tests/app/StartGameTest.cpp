// Start game on real files: the lines every start writes, the CD check, the hand-over; the shutdown.
#include "app/StartGame.h"

#include "app/Shutdown.h"
#include "platform/FaultHooks.h"
#include "tests/support/AppFolderTest.h"

namespace talvero {
namespace {

// Without the keys that a start sets, every call appends its line: the file shows the order.
const std::string kBareConfig = "joyport1=kbd2\r\n";

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
    InsertDemoCd("Dark Seed", "E");
    Start("Dark Seed", {false, true}, {"E:x", false});  // the field holds more than a drive
    EXPECT_EQ(kBareConfig +
                  "gfx_framerate=1\r\ncachesize=2048\r\nchipset=aga\r\ngfx_immediate_blits=false\r\n"
                  "hardfile=\r\nwin32.map_drives=true\r\nfilesystem=rw,0:" +
                  (folder / "Cache/dark") + "\r\n",
              Config());
    WaitForLaunchLog();
}

// A configuration that cannot be written says so (before any word about the CD), keeps Default.uae
// and the program running; without its CD the lines stay written and the game's CD is asked for.
TEST_F(StartGameTest, WithAConfigurationThatCannotBeWrittenOrWithoutItsCdNothingStarts)
{
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
    test::MakeWritable(App(kConfigFile));
    Start("Akira");
    host->ExpectMessage("Please insert the \"Akira\"-CD first!", MessageIcon::Exclamation);
    EXPECT_EQ("aga", ConfigValue("chipset="));
    std::filesystem::remove(App(kConfigFile));
    Start("Akira");
    host->ExpectMessage("Important file not found. Can't start the selected game!");
    EXPECT_EQ(0, host->endProgramRequests);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir") || test::Exists(App("\\WinUAE\\launch.log")));
}

TEST_F(StartGameTest, TheShutdownResetsTheLinesAndRemovesDefaultNewEvenWhenTheyCannotBeWritten)
{
    test::WriteFile(App(kConfigTempFile), "left over");
    ResetConfigurationAtShutdown();
    EXPECT_EQ(kBareConfig + "filesystem=rw,tmp:" + (folder / "Cache/tmp") + "\r\nwin32.map_drives=false\r\n",
              Config());
    test::WriteFile(App(kConfigTempFile), "left over");
    test::MakeReadOnly(App(kConfigFile));
    ResetConfigurationAtShutdown();
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

}  // namespace
}  // namespace talvero
