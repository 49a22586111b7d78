// The command line's work without windows: the title list, a game start by title with its
// messages and exit status, and the AppFolder a new user gets.
#include "app/CommandLine.h"

#include "app/AppFolderSetup.h"
#include "install/MissingFiles.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <cstdlib>
#include <filesystem>

namespace talvero {
namespace {

// Without the keys that a start sets, every written line is appended: the file shows them all.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

using CommandLineTest = test::AppFolderTest;

// The exit status says whether an emulator started; a mistyped title writes no line at all. A
// Windows emulator, with no FS-UAE on the search path, is named in the message.
TEST_F(CommandLineTest, StartByTitleReportsWhetherTheEmulatorStarted)
{
    LayOutDemo();
    InsertDemoCd("Akira");
    test::WriteFile(App(kConfigFile), kBareConfig);
    const auto start = [](const char* title) {
        return StartGameFromCommandLine(title, [] { return InstallerOptions{}; });
    };
    // A title known in another letter case is named; any other points at the list.
    EXPECT_EQ(1, start("akira"));
    host->ExpectMessage("Talvero knows no game titled \"akira\". Did you mean \"Akira\"?", MessageIcon::Exclamation);
    EXPECT_EQ(1, start("Akira 2"));
    host->ExpectMessage("Talvero knows no game titled \"Akira 2\". talvero --list names the 30 games it knows.",
                        MessageIcon::Exclamation);
    EXPECT_EQ(kBareConfig, Config());
    // Without its CD, or without its data file, a game does not start.
    EXPECT_EQ(1, start("Gloom"));
    host->ExpectMessage("Please insert the \"Gloom\"-CD first!", MessageIcon::Exclamation);
    InsertDemoCd("Gloom");
    std::filesystem::remove(App("\\Data\\Gloom.dat"));
    EXPECT_EQ(1, start("Gloom"));
    host->ExpectMessage("Important file not found. Can't start the selected game!");
    EXPECT_EQ(0, start("Akira"));
    // The stored switches' defaults (StartGameTest has the other lines).
    EXPECT_EQ("2", ConfigValue("gfx_framerate="));
    EXPECT_EQ("0", ConfigValue("cachesize="));
    WaitForLaunchLog();
    test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"), "MZ\x90");
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", folder.path().c_str(), 1);
    EXPECT_EQ(1, start("Akira"));
    ::setenv("PATH", path.c_str(), 1);
    const MessageBoxRequest shown = host->TakeMessage();
    EXPECT_EQ(MessageIcon::Critical, shown.icon);
    EXPECT_TRUE(shown.text.starts_with("The emulator WinUAE817r3.exe is a Windows program and cannot run here.\n\n"
                                       "Install FS-UAE (on Debian: sudo apt-get install fs-uae)"))
        << shown.text;
}

TEST_F(CommandLineTest, TheAppFolderIsTheGivenOneThenAPortableOneThenTheUsersOwn)
{
    for (const char* made : {"portable/WinUAE", "demo/Data", "bin"})
        test::MakeFolders(folder / made);
    const auto chosen = [&](const std::string& given, const char* program, std::optional<std::string> user) {
        const AppFolderChoice choice = ChooseAppFolder(given, folder / program, user);
        return std::pair{choice.folder, choice.source};
    };
    EXPECT_EQ(std::pair(std::string("m"), AppFolderSource::CommandLine), chosen("m/", "portable", "u"));
    EXPECT_EQ(std::pair(folder / "portable", AppFolderSource::ProgramFolder), chosen("", "portable", "u"));
    EXPECT_EQ(std::pair(folder / "demo", AppFolderSource::ProgramFolder), chosen("", "demo", "u"));
    EXPECT_EQ(std::pair(std::string("u"), AppFolderSource::UserData), chosen("", "bin", "u"));
    EXPECT_EQ(std::pair(folder / "bin", AppFolderSource::ProgramFolder), chosen("", "bin", std::nullopt));
}

// The start fails with status 1 and says where and why, on standard error and in the log as well.
TEST_F(CommandLineTest, ACacheFolderThatCannotBeMadeSaysWhereAndWhy)
{
    LayOutDemo();
    std::filesystem::remove_all(App("\\Cache"));
    test::WriteFile(App("\\Cache"), "a file where the cache folder belongs");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(1, StartGameFromCommandLine("Akira", [] { return InstallerOptions{}; }));
    const std::string errors = ::testing::internal::GetCapturedStderr();
    const MessageBoxRequest shown = host->TakeMessage();
    EXPECT_EQ("Error creating the cache directory.", shown.text);
    EXPECT_NE(std::string::npos, shown.detail.find(App("\\Cache"))) << shown.detail;
    EXPECT_EQ("talvero: Error creating the cache directory.\n" + shown.detail + "\n", errors);
    EXPECT_NE(std::string::npos,
              test::ReadFile(folder / "talvero.log").find("Error creating the cache directory. " + App("\\Cache")));
}

TEST_F(CommandLineTest, ANewAppFolderGetsItsLayoutAndSaysWhatIsMissing)
{
    SetAppFolder(folder / "home/.local/share/talvero");
    EXPECT_TRUE(LayOutNewAppFolder());
    for (const char* made : {"\\Cache", "\\Data", "\\Previews", "\\WinUAE\\Configurations"})
        EXPECT_TRUE(FolderExists(App(made))) << made;
    EXPECT_EQ(DefaultUaeTemplate(), Config());
    const std::string in = "\n      ";  // a path, and where the file comes from, stand on lines of their own
    const std::string fromInstallation =
        in + "from an existing Talvero installation (Extras > Import from another Talvero folder...)";
    const std::string start = "Talvero keeps its files in " + AppFolder() + ", and some are not there yet. Put there:\n" +
                              "  - the game data files (30 of 30 missing), one per game, into" + in + App("\\Data") +
                              fromInstallation + "\n  - the support-file pack as" + in + App("\\Talvero.dat") +
                              fromInstallation + "\n  - a Kickstart 3.1 ROM that you own, as" + in +
                              App("\\WinUAE\\kick31.rom") + in +
                              "from your Amiga or its ROM dumps, or from an existing Talvero installation\n";
    const std::string end = "\nEach game also needs its own CD in a drive, or an image of it (Extras > Insert CD "
                            "image...).\nGames can be started once the files are in place. The options, the NVRAM "
                            "manager and the help work meanwhile.";
    // The item of each emulator (MissingEmulatorTest has which one a system asks for).
    EXPECT_EQ(start + "  - FS-UAE, the Amiga emulator that runs the games here" + in +
                  "from the system's packages (Debian: apt-get install fs-uae)\n" + end,
              MissingFilesNotice(FindMissingFiles({.runsWindowsPrograms = false, .fsUaeInstalled = false})));
    EXPECT_EQ(start + "  - the emulator folder, holding WinUAE817r3.exe and WinUAE814r3.exe, as" + in +
                  App("\\WinUAE") + "\n" + end,
              MissingFilesNotice(FindMissingFiles({.runsWindowsPrograms = true, .fsUaeInstalled = false})));
    // Only a new folder is laid out: a configuration the user removed stays removed, so that Start
    // game can say it is missing.
    RemoveFile(App(kConfigFile));
    EXPECT_FALSE(LayOutNewAppFolder());
    EXPECT_FALSE(test::Exists(App(kConfigFile)));
    // Once everything is in place nothing is missing.
    test::WriteFile(App(kConfigFile), kBareConfig);
    LayOutDemoAppFolder(AppFolder(), test::StandinExecutable());
    EXPECT_EQ(kBareConfig, Config());
    EXPECT_EQ("", MissingFilesNotice(FindMissingFiles({.runsWindowsPrograms = false, .fsUaeInstalled = false})));
}

}  // namespace
}  // namespace talvero
