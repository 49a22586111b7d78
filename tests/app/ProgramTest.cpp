// The built program as a user starts it: installed in a folder it cannot write, with its files in
// the user's data folder and the settings of an earlier release in the configuration folder.
#include "demo/DemoFolder.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <cstdlib>
#include <ostream>
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
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    run.output = test::ReadFile(out);
    run.errors = test::ReadFile(err);
    return run;
}

// The program installed in a folder it cannot write (bin/talvero), with the games' files in place
// in the user's data folder (data/talvero) and Akira's CD inserted.
class ProgramTest : public test::AppFolderTest {
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

TEST_F(ProgramTest, AReadOnlyProgramFolderUsesTheUsersDataFolderAndTakesOverEarlierSettings)
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

struct CommandLineRow {
    const char* arguments;
    int status;
    const char* firstLine;  // of the output (status 0) or of the errors
};

void PrintTo(const CommandLineRow& row, std::ostream* out)
{
    *out << row.arguments;
}

class ProgramCommandLineTest : public ::testing::TestWithParam<CommandLineRow> {};

// Refused command lines say what is wrong and how the program is used, and end with status 2
// before any display is needed; so do help, the version and the list, which need none either.
TEST_P(ProgramCommandLineTest, RefusesOrAnswersWithAndWithoutADisplay)
{
    const CommandLineRow& row = GetParam();
    test::TestFolder folder;
    for (const bool display : {true, false}) {
        const ProgramRun run = RunProgram(folder, display, row.arguments);
        EXPECT_EQ(row.status, run.status) << "display " << display << ": " << run.errors;
        const std::string& said = row.status == 0 ? run.output : run.errors;
        EXPECT_EQ(row.firstLine, said.substr(0, said.find('\n'))) << "display " << display;
        if (row.status == 2) {
            EXPECT_NE(std::string::npos, run.errors.find("\n\nUsage: talvero [options] [FILE]\n")) << "display " << display;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramCommandLineTest,
    ::testing::Values(
        // Every refusal takes the same way out; CommandLineOptionsTest has their texts.
        CommandLineRow{"--start --help", 2, "talvero: option --start needs a value (TITLE), not the option --help"},
        CommandLineRow{"--version", 0, "talvero 1.1"},
        CommandLineRow{"--help", 0, "Usage: talvero [options] [FILE]"},
        CommandLineRow{"--list", 0, "Akira\tCD32\tmissing Data/Akira.dat"}));

// Without a display the window cannot open and says so; a start from the command line still
// runs and says on the error stream what it would have shown in a box: a title known in another
// letter case, and a configuration the user removed from a folder laid out before.
TEST_F(ProgramTest, WithoutADisplayAStartSaysOnTheErrorStreamWhatWentWrong)
{
    const ProgramRun window = Run(false, "");
    EXPECT_EQ(1, window.status);
    EXPECT_TRUE(window.errors.starts_with("talvero: no display to show the window on")) << window.errors;

    const ProgramRun misspelt = Run(false, "--start akira");
    EXPECT_EQ(1, misspelt.status);
    EXPECT_EQ("Talvero: Talvero knows no game titled \"akira\". Did you mean \"Akira\"?\n", misspelt.errors);

    RemoveFile(App(kConfigFile));
    const ProgramRun unconfigured = Run(false, "--start Akira");
    EXPECT_EQ(1, unconfigured.status);
    EXPECT_FALSE(test::Exists(App(kConfigFile)));
    EXPECT_NE(std::string::npos, unconfigured.errors.find("Default.uae")) << unconfigured.errors;
}

}  // namespace
}  // namespace talvero
