// The command line's work without windows: the title list, a game start by title with its
// messages and exit status, and the AppFolder a new user gets.
#include "app/CommandLine.h"

#include "app/AppFolderSetup.h"
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorProgram.h"
#include "install/Installer.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"
#include "platform/TextRecords.h"
#include "tests/support/AppFolderTest.h"

#include <cstdlib>
#include <sstream>

namespace talvero {
namespace {

// Without the keys that a start sets, every written line is appended: the file shows them all.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

TEST(TitleListTest, ThirtyTitlesInTheListsOrderWithTheirSystems)
{
    const std::string text = TitleListText();
    EXPECT_EQ(30, std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(0u, text.find("Akira\tCD32\nAlien Breed Special Edition '92\tCD32\nChambers of Shaolin\tCD32\n"
                            "Dark Seed\tCD32\nDeep Core\tCD32\nDefender of the Crown 2\tCD32, CDTV\n"
                            "D-Generation\tCD32\n"));
    const std::string end =
        "Whale's Voyage\tCD32\nFantastic Voyage\tCDTV\nIndiana Jones and the Last Crusade\tCDTV\n"
        "Lemmings\tCDTV\nTurrican 2\tCDTV\n";
    EXPECT_EQ(end, text.substr(text.size() - std::min(text.size(), end.size())));
}

class CommandLineTest : public test::AppFolderTest {
protected:
    void TearDown() override
    {
        ::setenv("PATH", m_path.c_str(), 1);
        AppFolderTest::TearDown();
    }
    // A search path of one folder, holding a recording fs-uae when asked for.
    void SearchPathWith(bool fsUae)
    {
        test::MakeFolders(folder / "bin");
        if (fsUae) {
            test::WriteFile(folder / "bin/fs-uae", "#!/bin/sh\necho \"$@\" >\"$0.args\"\n");
            MarkExecutable(folder / "bin/fs-uae");
        }
        ::setenv("PATH", (folder / "bin").c_str(), 1);
    }
    const std::string m_path = std::getenv("PATH") ? std::getenv("PATH") : "";
};

// The exit status says whether an emulator started; an unknown title writes no line at all.
TEST_F(CommandLineTest, StartByTitleReportsWhetherTheEmulatorStarted)
{
    struct Case {
        const char* name;
        std::string title;
        bool windowsExecutable, fsUae;
        std::string message;  // empty: none
        MessageIcon icon;
        int status;
    };
    const std::string cannotRun = "The emulator WinUAE817r3.exe is a Windows program and cannot run here.";
    const Case cases[] = {
        {"started", "Akira", false, false, "", MessageIcon::Critical, 0},
        {"unknown title", "akira", false, false,
         "Talvero knows no game titled \"akira\". talvero --list names the 30 games it knows.",
         MessageIcon::Exclamation, 1},
        {"Windows emulator, no FS-UAE", "Akira", true, false, cannotRun, MessageIcon::Critical, 1},
        {"Windows emulator, no bridge beside the tests", "Akira", true, true, cannotRun,
         MessageIcon::Critical, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestFolder fresh;
        SetAppFolder(fresh.path());
        LayOutDemoAppFolder(fresh.path(), test::StandinExecutable());
        test::WriteFile(App(kConfigFile), kBareConfig);
        InsertDemoCd("Akira");
        if (c.windowsExecutable) {
            test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"),
                            "MZ\x90\x00This program cannot be run in DOS mode.");
            SearchPathWith(c.fsUae);
        }
        EXPECT_EQ(c.status, StartGameFromCommandLine(c.title, [] { return InstallerOptions{}; }));
        if (!c.message.empty()) {
            const MessageBoxRequest shown = host->TakeMessage();
            EXPECT_EQ(0u, shown.text.rfind(c.message, 0)) << shown.text;
            EXPECT_EQ(c.icon, shown.icon);
        }
        EXPECT_EQ(0u, host->PendingMessages());
        EXPECT_EQ(0, host->endProgramRequests);
        // The stored switches' defaults, and the installer's lines once the start got that far.
        const bool reachedInstaller = c.status == 0 || c.windowsExecutable;
        EXPECT_EQ(reachedInstaller ? "2|0" : "<absent>|<absent>",
                  ConfigValue("gfx_framerate=") + "|" + ConfigValue("cachesize="));
        EXPECT_EQ(reachedInstaller, Config().find("filesystem=") != std::string::npos);
        if (c.status == 0)
            WaitForLaunchLog();
        ::setenv("PATH", m_path.c_str(), 1);
    }
}

TEST_F(CommandLineTest, WindowsExecutablesAreToldByTheirFirstTwoBytes)
{
    std::string told;
    for (const std::string content : {"MZ\x90", "MZ", "#!/bin/sh\n",
                                      "\x7f"
                                      "ELF",
                                      "M", ""}) {
        test::WriteFile(folder / "emulator", content);
        told += IsWindowsExecutable(folder / "emulator") ? "W" : "-";
    }
    EXPECT_EQ("WW----", told);
    EXPECT_FALSE(IsWindowsExecutable(folder / "missing"));
}

TEST_F(CommandLineTest, TheAppFolderIsTheGivenOneThenAPortableOneThenTheUsersOwn)
{
    test::MakeFolders(folder / "portable/WinUAE");
    test::MakeFolders(folder / "demo/Data");
    test::MakeFolders(folder / "bin");
    const std::string user = folder / "share/talvero";
    struct Case {
        std::string given, program;
        std::optional<std::string> userData;
        std::string folder;
        AppFolderSource source;
    };
    for (const Case& c :
         {Case{folder / "mine/", folder / "portable", user, folder / "mine", AppFolderSource::CommandLine},
          Case{"", folder / "portable", user, folder / "portable", AppFolderSource::ProgramFolder},
          Case{"", folder / "demo", user, folder / "demo", AppFolderSource::ProgramFolder},
          Case{"", folder / "bin", user, user, AppFolderSource::UserData},
          Case{"", folder / "bin", std::nullopt, folder / "bin", AppFolderSource::ProgramFolder}}) {
        const AppFolderChoice choice = ChooseAppFolder(c.given, c.program, c.userData);
        EXPECT_EQ(c.folder, choice.folder) << c.program;
        EXPECT_EQ(c.source, choice.source) << c.program;
    }
}

TEST_F(CommandLineTest, ANewAppFolderGetsItsLayoutAndSaysWhatIsMissing)
{
    SetAppFolder(folder / "home/.local/share/talvero");
    LayOutAppFolder();
    for (const char* made : {"Cache", "Data", "Previews", "WinUAE/Configurations"})
        EXPECT_TRUE(FolderExists(App(std::string("\\") + made))) << made;
    EXPECT_EQ(DefaultUaeTemplate(), Config());
    const std::string notice = MissingFilesNotice();
    for (const std::string& named :
         {std::string("the game data files (30 of 30 missing)"), App("\\Data"), App("\\Talvero.dat"),
          "the emulator folder, holding WinUAE817r3.exe and WinUAE814r3.exe, as\n      " + App("\\WinUAE")})
        EXPECT_NE(std::string::npos, notice.find(named)) << named << "\n" << notice;

    // Laid out again, it keeps what is there; once everything is in place nothing is missing.
    test::WriteFile(App(kConfigFile), kBareConfig);
    LayOutDemoAppFolder(AppFolder(), test::StandinExecutable());
    LayOutAppFolder();
    EXPECT_EQ(kBareConfig, Config());
    EXPECT_EQ("", MissingFilesNotice());
    RemoveFile(App("\\Data\\Gloom.dat"));
    EXPECT_NE(std::string::npos, MissingFilesNotice().find("(1 of 30 missing)"));
}

}  // namespace
}  // namespace talvero
