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
    std::vector<std::string> lines;
    std::istringstream text(TitleListText());
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(30u, lines.size());
    EXPECT_EQ((std::vector<std::string>{"Akira\tCD32", "Alien Breed Special Edition '92\tCD32",
                                        "Chambers of Shaolin\tCD32", "Dark Seed\tCD32", "Deep Core\tCD32",
                                        "Defender of the Crown 2\tCD32, CDTV", "D-Generation\tCD32"}),
              std::vector<std::string>(lines.begin(), lines.begin() + 7));
    EXPECT_EQ("Whale's Voyage\tCD32", lines[25]);
    EXPECT_EQ((std::vector<std::string>{"Fantastic Voyage\tCDTV", "Indiana Jones and the Last Crusade\tCDTV",
                                        "Lemmings\tCDTV", "Turrican 2\tCDTV"}),
              std::vector<std::string>(lines.begin() + 26, lines.end()));
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

TEST_F(CommandLineTest, StartByTitleReportsWhetherTheEmulatorStarted)
{
    const std::string windowsEmulator = "MZ\x90\x00This program cannot be run in DOS mode.";
    const std::vector<std::string> startLines = {
        "gfx_framerate=2", "cachesize=0",           "chipset=aga",        "gfx_immediate_blits=false",
        "hardfile=",       "win32.map_drives=true", "sound_output=normal"};
    struct Case {
        const char* name;
        std::string title;
        bool cd, dataFile, windowsExecutable, fsUae;
        std::string message;  // empty: none
        MessageIcon icon;
        int status;
        bool startLinesWritten, installerLinesWritten;
    };
    const std::string cannotRun = "The emulator WinUAE817r3.exe is a Windows program and cannot run here.";
    const Case cases[] = {
        {"started", "Akira", true, true, false, false, "", MessageIcon::Critical, 0, true, true},
        {"unknown title", "akira", true, true, false, false,
         "Talvero knows no game titled \"akira\". talvero --list names the 30 games it knows.",
         MessageIcon::Exclamation, 1, false, false},
        {"no CD", "Akira", false, true, false, false, "Please insert the \"Akira\"-CD first!",
         MessageIcon::Exclamation, 1, true, false},
        {"no data file", "Akira", true, false, false, false, kMessageImportantFileNotFound,
         MessageIcon::Critical, 1, true, false},
        {"Windows emulator, no FS-UAE", "Akira", true, true, true, false, cannotRun, MessageIcon::Critical, 1,
         true, true},
        {"Windows emulator, no bridge beside the tests", "Akira", true, true, true, true, cannotRun,
         MessageIcon::Critical, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestFolder fresh;
        SetAppFolder(fresh.path());
        LayOutDemoAppFolder(fresh.path(), test::StandinExecutable());
        test::WriteFile(App(kConfigFile), kBareConfig);
        if (c.cd)
            InsertDemoCd("Akira");
        if (!c.dataFile)
            RemoveFile(App("\\Data\\Akira.dat"));
        if (c.windowsExecutable) {
            test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"), windowsEmulator);
            SearchPathWith(c.fsUae);
        }

        EXPECT_EQ(c.status, StartGameFromCommandLine(c.title, [] { return InstallerOptions{}; }));
        if (c.message.empty()) {
            EXPECT_EQ(0u, host->PendingMessages());
        } else {
            const MessageBoxRequest shown = host->TakeMessage();
            EXPECT_EQ(0u, shown.text.rfind(c.message, 0)) << shown.text;
            EXPECT_EQ(c.icon, shown.icon);
        }
        EXPECT_EQ(0, host->endProgramRequests);
        std::vector<std::string> expected = {"kickstart_rom_file=kick31.rom", "joyport1=kbd2"};
        if (c.startLinesWritten)
            expected.insert(expected.end(), startLines.begin(), startLines.end());
        const std::vector<std::string> lines = ConfigLines();
        EXPECT_EQ(expected, std::vector<std::string>(
                                lines.begin(), lines.begin() + std::min(lines.size(), expected.size())));
        EXPECT_EQ(c.installerLinesWritten, lines.size() > expected.size());
        if (c.status == 0)
            WaitForLaunchLog();
        ::setenv("PATH", m_path.c_str(), 1);
    }
}

TEST_F(CommandLineTest, WindowsExecutablesAreToldByTheirFirstTwoBytes)
{
    for (const auto& [content, windows] :
         {std::pair{std::string("MZ\x90"), true}, std::pair{std::string("MZ"), true},
          std::pair{std::string("#!/bin/sh\n"), false},
          std::pair{std::string("\x7f"
                                "ELF"),
                    false},
          std::pair{std::string("M"), false}, std::pair{std::string(), false}}) {
        test::WriteFile(folder / "emulator", content);
        EXPECT_EQ(windows, IsWindowsExecutable(folder / "emulator")) << content;
    }
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
