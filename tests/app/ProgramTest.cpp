// The built program as a user starts it: installed in a folder it cannot write, with its files in
// the user's data folder and the settings of an earlier release in the configuration folder.
#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <cstdlib>
#include <sys/wait.h>

namespace talvero {
namespace {

// The real program started with a command line, with a display (offscreen) or without any.
struct ProgramRun {
    int status = -1;  // the exit status, or 1000 + the signal that ended it
    std::string output, errors;
};

ProgramRun RunProgram(const test::TestFolder& folder, bool display, const std::string& arguments,
                      const std::string& environment = {}, const std::string& program = TALVERO_PROGRAM)
{
    const std::string out = folder / "stdout", err = folder / "stderr";
    // A message box would wait for ever offscreen: the time limit turns it into a failure.
    const std::string command = std::string("timeout 60 env ") +
                                (display ? "QT_QPA_PLATFORM=offscreen " : "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                                "XDG_CONFIG_HOME='" + folder / "config" + "' " + environment + " '" + program + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status), test::ReadFile(out),
            test::ReadFile(err)};
}

// The program installed in a folder it cannot write (bin/talvero), with the games' files in place
// in the user's data folder (data/talvero) and Akira's CD inserted.
class InstalledProgramTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::WriteFile(program, test::ReadFile(TALVERO_PROGRAM));
        MarkExecutable(program);
        test::MakeReadOnly(folder / "bin");
        test::MakeFolders(folder / "data");
        LayOutDemoAppFolder(folder / "data/talvero", test::StandinExecutable());
        InsertDemoCd("Akira");
    }
    ProgramRun Run(bool display, const std::string& arguments)
    {
        return RunProgram(folder, display, arguments, "XDG_DATA_HOME='" + folder / "data" + "'", program);
    }
    const std::string program = folder / "bin/talvero";
};

TEST_F(InstalledProgramTest, AReadOnlyProgramFolderUsesTheUsersDataFolderAndTakesOverEarlierSettings)
{
    test::WriteFile(folder / "config/Quorra.ini", "[Optionen]\nFrameskip=False\n");
    EXPECT_EQ(0, Run(true, "--start Akira").status);
    EXPECT_NE(std::string::npos, WaitForLaunchLog().find("result: ok"));
    EXPECT_EQ("1", ConfigValue("gfx_framerate="));  // frameskip off, as the earlier settings say
    EXPECT_NE(std::string::npos,
              test::ReadFile(folder / "config/talvero/talvero.conf").find("Frameskip=False"));
    EXPECT_TRUE(test::Exists(folder / "config/Quorra.ini"));
    EXPECT_FALSE(test::Exists(folder / "bin/Cache"));
}

// Without a display the window cannot open and says so; a start from the command line still
// runs and says on the error stream what it would have shown in a box.
TEST_F(InstalledProgramTest, WithoutADisplayAStartSaysOnTheErrorStreamWhatWentWrong)
{
    const ProgramRun window = Run(false, "");
    EXPECT_EQ(1, window.status);
    EXPECT_TRUE(window.errors.starts_with("talvero: no display to show the window on")) << window.errors;
    const ProgramRun misspelt = Run(false, "--start akira");
    EXPECT_EQ(1, misspelt.status);
    EXPECT_EQ("Talvero: Talvero knows no game titled \"akira\". Did you mean \"Akira\"?\n", misspelt.errors);
}

using ProgramTest = test::AppFolderTest;

// A refused command line says what is wrong and how the program is used, and ends with status 2
// before any display is needed; help needs none either (CommandLineOptionsTest has the texts,
// the package tests the version and the list).
TEST_F(ProgramTest, ARefusalAndHelpNeedNoDisplay)
{
    const ProgramRun refused = RunProgram(folder, false, "--start --help");
    EXPECT_EQ(2, refused.status);
    EXPECT_TRUE(refused.errors.starts_with("talvero: option --start needs a value (TITLE), not the option "
                                           "--help\n\nUsage: talvero [options] [FILE]\n"))
        << refused.errors;
    const ProgramRun help = RunProgram(folder, false, "--help");
    EXPECT_EQ(0, help.status);
    EXPECT_TRUE(help.output.starts_with("Usage: talvero [options] [FILE]\n")) << help.output;
}

// --demo lays out the demo in a new folder (its parents too); without xorriso (the package only
// recommends it) the demo has its CD as drive D: but no images, and says so. Run again, it lays
// out only what is missing, keeps what the user changed, and starts a game there as --app-folder
// would. The package tests check a whole first layout.
TEST_F(ProgramTest, DemoLaysOutWhatIsMissingAndKeepsWhatTheUserChanged)
{
    const std::string demo = folder / "new/demo";
    test::TestFolder run;
    const std::string noPrograms = "PATH='" + folder / "nothing" + "'";
    const ProgramRun listed = RunProgram(run, false, "--demo '" + demo + "' --list", noPrograms);
    EXPECT_EQ(0, listed.status) << listed.errors;
    EXPECT_NE(std::string::npos,
              listed.errors.find("talvero: xorriso is not installed, so the demo has no CD images"))
        << listed.errors;
    EXPECT_TRUE(listed.output.starts_with("Akira\tCD32\n")) << listed.output;
    EXPECT_TRUE(test::Exists(demo + "/Drives/D/" + NativePath(FindProfile("Akira")->identityFile.substr(1))));
    EXPECT_FALSE(test::Exists(demo + "/Drives/F.iso"));

    const std::string configuration = demo + "/WinUAE/Configurations/Default.uae";
    test::WriteFile(configuration, test::ReadFile(configuration) + "talvero_test_note=the user's line\r\n");
    test::WriteFile(demo + "/Data/Lemmings.dat", "the user's own data file\r\n");
    RemoveFile(demo + "/Previews/Akira.jpg");
    const ProgramRun second = RunProgram(run, true, "--demo '" + demo + "' --start Akira");
    EXPECT_EQ(0, second.status) << second.errors;
    SetAppFolder(demo);
    EXPECT_NE(std::string::npos, WaitForLaunchLog().find("result: ok"));
    EXPECT_EQ("the user's line", ConfigValue("talvero_test_note="));
    EXPECT_EQ("the user's own data file\r\n", test::ReadFile(demo + "/Data/Lemmings.dat"));
    EXPECT_TRUE(test::Exists(demo + "/Previews/Akira.jpg"));
    EXPECT_TRUE(test::Exists(demo + "/Drives/F.iso"));
}

// A folder of other files, a real Talvero folder or a file is not turned into a demo, and a
// program without the stand-in beside it (or in ../libexec/talvero) lays out nothing.
TEST_F(ProgramTest, DemoRefusesAFolderOfOtherFilesAndAMissingStandin)
{
    test::TestFolder run;
    test::WriteFile(folder / "papers/letter.txt", "mine");
    test::WriteFile(folder / "real/Data/Akira.dat", "the user's data file");
    test::WriteFile(folder / "notes.txt", "");
    for (const std::string& given : {folder / "papers", folder / "real", folder / "notes.txt"}) {
        const ProgramRun refused = RunProgram(run, false, "--demo '" + given + "'");
        EXPECT_EQ(1, refused.status) << given;
        EXPECT_NE(std::string::npos, refused.errors.find("talvero: " + given +
                                                         " is neither an empty folder nor a demo folder (one "
                                                         "with Demo.txt)"))
            << refused.errors;
    }
    // Nothing is laid out: no placeholder mixes with a user's real Talvero folder.
    EXPECT_FALSE(test::Exists(folder / "papers/WinUAE"));
    EXPECT_FALSE(test::Exists(folder / "real/Data/Lemmings.dat"));
    EXPECT_EQ("", test::ReadFile(folder / "notes.txt"));

    const std::string program = folder / "bin/talvero";
    test::WriteFile(program, test::ReadFile(TALVERO_PROGRAM));
    MarkExecutable(program);
    const ProgramRun alone = RunProgram(run, false, "--demo '" + folder / "demo" + "'", {}, program);
    EXPECT_EQ(1, alone.status);
    EXPECT_NE(std::string::npos, alone.errors.find("talvero: the demo needs the stand-in emulator, which is missing: " +
                                                   folder / "bin/talvero-standin\n"))
        << alone.errors;
    EXPECT_FALSE(test::Exists(folder / "demo"));
}

}  // namespace
}  // namespace talvero
