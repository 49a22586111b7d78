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
#include "tests/support/AppFolderTest.h"

#include <cstdlib>

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
    const std::string m_path = std::getenv("PATH") ? std::getenv("PATH") : "";
};

// The exit status says whether an emulator started; a mistyped title writes no line at all.
TEST_F(CommandLineTest, StartByTitleReportsWhetherTheEmulatorStarted)
{
    int round = 0;  // each start in an AppFolder of its own
    const auto start = [&](const std::string& title, bool windowsEmulator, bool fsUae) {
        SetAppFolder(folder / std::to_string(++round));
        LayOutDemoAppFolder(AppFolder(), test::StandinExecutable());
        test::WriteFile(App(kConfigFile), kBareConfig);
        InsertDemoCd("Akira");
        if (windowsEmulator) {  // and a search path of one folder, holding an fs-uae when asked for
            test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"), "MZ\x90");
            test::MakeFolders(folder / "bin");
            if (fsUae) {
                test::WriteFile(folder / "bin/fs-uae", "#!/bin/sh\n");
                MarkExecutable(folder / "bin/fs-uae");
            }
            ::setenv("PATH", (folder / "bin").c_str(), 1);
        }
        const int status = StartGameFromCommandLine(title, [] { return InstallerOptions{}; });
        ::setenv("PATH", m_path.c_str(), 1);
        return status;
    };
    EXPECT_EQ(0, start("Akira", false, false));
    EXPECT_EQ(0u, host->PendingMessages());
    // The stored switches' defaults, then the installer's lines.
    EXPECT_EQ("2|0|rw,0:", ConfigValue("gfx_framerate=") + "|" + ConfigValue("cachesize=") + "|" +
                               ConfigValue("filesystem=").substr(0, 5));
    WaitForLaunchLog();
    EXPECT_EQ(1, start("akira", false, false));
    host->ExpectMessage("Talvero knows no game titled \"akira\". talvero --list names the 30 games it knows.",
                        MessageIcon::Exclamation);
    EXPECT_EQ(kBareConfig, Config());
    for (bool fsUae : {false, true}) {  // without FS-UAE, and with it but no bridge beside the tests
        EXPECT_EQ(1, start("Akira", true, fsUae));
        const MessageBoxRequest shown = host->TakeMessage();
        EXPECT_EQ(
            0u, shown.text.rfind("The emulator WinUAE817r3.exe is a Windows program and cannot run here.", 0))
            << shown.text;
        EXPECT_EQ(MessageIcon::Critical, shown.icon);
    }
    EXPECT_EQ(0, host->endProgramRequests);
}

TEST_F(CommandLineTest, WindowsExecutablesAreToldByTheirFirstTwoBytes)
{
    std::string told;
    for (const std::string content : {"MZ\x90", "MZ", "#!/bin/sh\n", "\177ELF", "M", ""}) {
        test::WriteFile(folder / "emulator", content);
        told += IsWindowsExecutable(folder / "emulator") ? "W" : "-";
    }
    EXPECT_EQ("WW----", told);
    EXPECT_FALSE(IsWindowsExecutable(folder / "missing"));
}

TEST_F(CommandLineTest, TheAppFolderIsTheGivenOneThenAPortableOneThenTheUsersOwn)
{
    for (const char* made : {"portable/WinUAE", "demo/Data", "bin"})
        test::MakeFolders(folder / made);
    const std::string user = folder / "share/talvero";
    const auto chosen = [&](const std::string& given, const char* program,
                            std::optional<std::string> userData) {
        const AppFolderChoice choice = ChooseAppFolder(given, folder / program, userData);
        return std::pair{choice.folder, choice.source};
    };
    EXPECT_EQ(std::pair(folder / "mine", AppFolderSource::CommandLine),
              chosen(folder / "mine/", "portable", user));
    EXPECT_EQ(std::pair(folder / "portable", AppFolderSource::ProgramFolder), chosen("", "portable", user));
    EXPECT_EQ(std::pair(folder / "demo", AppFolderSource::ProgramFolder), chosen("", "demo", user));
    EXPECT_EQ(std::pair(user, AppFolderSource::UserData), chosen("", "bin", user));
    EXPECT_EQ(std::pair(folder / "bin", AppFolderSource::ProgramFolder), chosen("", "bin", std::nullopt));
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
