// The built program as a user starts it: installed in a folder it cannot write, with its files in
// the user's data folder and the settings of an earlier release in the configuration folder.
#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <cstdlib>
#include <sys/wait.h>

namespace talvero {
namespace {

using ProgramTest = test::AppFolderTest;

TEST_F(ProgramTest, AReadOnlyProgramFolderUsesTheUsersDataFolderAndTakesOverEarlierSettings)
{
    const std::string program = folder / "bin/talvero";
    test::WriteFile(program, test::ReadFile(TALVERO_PROGRAM));
    MarkExecutable(program);
    test::MakeReadOnly(folder / "bin");
    // The games' files are in place; the emulator configuration is not, and the program lays it out.
    test::MakeFolders(folder / "data");
    LayOutDemoAppFolder(folder / "data/talvero", test::StandinExecutable());
    RemoveFile(App(kConfigFile));
    InsertDemoCd("Akira");
    test::WriteFile(folder / "config/Quorra.ini", "[Optionen]\nFrameskip=False\n");

    // A message box would wait for ever offscreen: the time limit turns it into a failure.
    const std::string command = "timeout 60 env QT_QPA_PLATFORM=offscreen XDG_DATA_HOME='" + folder / "data" +
                                "' XDG_CONFIG_HOME='" + folder / "config" + "' '" + program +
                                "' --start Akira";
    const int status = std::system(command.c_str());
    test::MakeWritable(folder / "bin");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_NE(std::string::npos, WaitForLaunchLog().find("result: ok"));
    EXPECT_EQ("1", ConfigValue("gfx_framerate="));  // frameskip off, as the earlier settings say
    EXPECT_NE(std::string::npos,
              test::ReadFile(folder / "config/talvero/talvero.conf").find("Frameskip=False"));
    EXPECT_TRUE(test::Exists(folder / "config/Quorra.ini") && !test::Exists(folder / "bin/Cache"));
}

}  // namespace
}  // namespace talvero
