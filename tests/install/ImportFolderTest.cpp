// Bringing the files Talvero cannot ship from another Talvero folder, laid out as a Windows
// installation copied to this disc (names in any letter case, backslashes in the ROM's name), and
// what the AppFolder still lacks.
#include "install/ImportFolder.h"

#include "install/MissingFiles.h"
#include "platform/Files.h"
#include "platform/Installation.h"
#include "tests/support/AppFolderTest.h"


namespace talvero {
namespace {

const std::string kRom = std::string(512 * 1024, 'k');

class ImportFolderTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        for (const char* made : {"Data", "Previews", "WinUAE/Configurations"})
            test::MakeFolders(folder / made);
    }
    /// A file of the other installation, its path spelled as on its disc.
    void Other(const std::string& relative, const std::string& bytes)
    {
        const std::string path = other / relative;
        test::MakeFolders(path.substr(0, path.find_last_of(NativeSeparator())));
        test::WriteFile(path, bytes);
    }
    /// A Windows installation whose names were written in other letter cases than Talvero's.
    void LayOutWindowsInstallation()
    {
        Other("DATA/akira.DAT", "akira data");
        Other("DATA/Gloom.dat", "gloom data");
        Other("talvero.DAT", "pack");
        Other("previews/AKIRA.JPG", "jpeg");
        Other("WINUAE/configurations/default.UAE", "use_gui=no\r\nkickstart_rom_file=Roms\\Kick31.rom\r\n");
        Other("WINUAE/ROMS/KICK31.ROM", kRom);
        Other("WINUAE/WinUAE817r3.exe", "MZ windows program");
    }
    /// Imports from the other folder, answering the question about differing files when one is
    /// given; the final message.
    std::string Import(std::optional<MessageAnswer> replace = std::nullopt)
    {
        host->ChooseNextFile(other.path());
        if (replace)
            host->AnswerNextQuestion(*replace);
        ImportFromAnotherFolder();
        if (replace)
            question = host->TakeMessage().text;  // asked before the result is shown
        const MessageBoxRequest shown = host->TakeMessage();
        EXPECT_EQ(MessageIcon::Information, shown.icon);
        return shown.text;
    }

    test::TestFolder other;
    std::string question;
};

TEST_F(ImportFolderTest, TakesAWindowsInstallationWhateverItsLetterCase)
{
    LayOutWindowsInstallation();
    const std::string message = Import();

    EXPECT_EQ("akira data", test::ReadFile(App("\\Data\\Akira.dat")));
    EXPECT_EQ("gloom data", test::ReadFile(App("\\Data\\Gloom.dat")));
    EXPECT_EQ("pack", test::ReadFile(App("\\Talvero.dat")));
    EXPECT_EQ("jpeg", test::ReadFile(App("\\Previews\\Akira.jpg")));
    // The configuration is taken as it is, and the ROM goes where it looks.
    EXPECT_EQ("use_gui=no\r\nkickstart_rom_file=Roms\\Kick31.rom\r\n", Config());
    EXPECT_EQ(kRom, test::ReadFile(App("\\WinUAE\\Roms\\Kick31.rom")));
    // The other folder's Windows emulator comes along only where Windows programs run; elsewhere
    // the bridge stands in for it.
    const bool windows = RunsWindowsPrograms();
    EXPECT_EQ(windows, test::Exists(App("\\WinUAE\\WinUAE817r3.exe")));

    const std::string taken = std::string(windows ? "\nTaken (7): " : "\nTaken (6): ") +
                              "WinUAE/Configurations/Default.uae, Data/Akira.dat, Data/Gloom.dat, "
                              "Talvero.dat, Previews/Akira.jpg, WinUAE/Roms/Kick31.rom" +
                              (windows ? ", WinUAE/WinUAE817r3.exe\n" : "\n");
    EXPECT_NE(std::string::npos, message.find(taken)) << message;
    EXPECT_NE(std::string::npos, message.find("\n  - the data files of 28 games: ")) << message;
    EXPECT_EQ(std::string::npos, message.find("  - the support-file pack")) << message;
    EXPECT_EQ(std::string::npos, message.find("  - the Kickstart")) << message;
}

TEST_F(ImportFolderTest, AFileThatDiffersIsReplacedOnlyWhenTheUserAgrees)
{
    LayOutWindowsInstallation();
    test::WriteFile(App(kConfigFile), "kickstart_rom_file=kick31.rom\r\n");
    test::WriteFile(App("\\Data\\Akira.dat"), "akira data");
    test::WriteFile(App("\\Data\\Gloom.dat"), "my own gloom data");
    test::WriteFile(App("\\Talvero.dat"), "my own pack");

    std::string message = Import(MessageAnswer::No);
    EXPECT_EQ("These files in " + AppFolder() +
                  " differ from the ones in the other folder:\n"
                  "  - Data/Gloom.dat\n  - Talvero.dat\n\nReplace them with the other folder's?",
              question);
    EXPECT_EQ("my own gloom data", test::ReadFile(App("\\Data\\Gloom.dat")));
    EXPECT_EQ("my own pack", test::ReadFile(App("\\Talvero.dat")));
    EXPECT_NE(std::string::npos, message.find("\nAlready there (1): Data/Akira.dat\n")) << message;
    EXPECT_NE(std::string::npos,
              message.find("\nKept as they were (they differ) (2): Data/Gloom.dat, Talvero.dat\n"))
        << message;
    // The AppFolder's own configuration stays; the ROM goes where it looks for it.
    EXPECT_EQ("kickstart_rom_file=kick31.rom\r\n", Config());
    EXPECT_EQ(kRom, test::ReadFile(App("\\WinUAE\\kick31.rom")));

    message = Import(MessageAnswer::Yes);
    EXPECT_EQ("gloom data", test::ReadFile(App("\\Data\\Gloom.dat")));
    EXPECT_EQ("pack", test::ReadFile(App("\\Talvero.dat")));
    EXPECT_NE(std::string::npos, message.find("\nTaken (2): Data/Gloom.dat, Talvero.dat\n")) << message;
}

TEST_F(ImportFolderTest, AFolderWithoutTalveroFilesSaysSoAndChangesNothing)
{
    Other("Documents/letter.txt", "text");
    host->ChooseNextFile(other.path());
    ImportFromAnotherFolder();
    host->ExpectMessage("No Talvero files were found in " + other.path() +
                            ".\nA Talvero folder holds Data, Previews, Talvero.dat and WinUAE.",
                        MessageIcon::Exclamation);
}

// Where the bridge stands in for the Windows emulator, the emulator folder may stay empty: only
// FS-UAE is asked for, and only when no program this system runs is there.
TEST_F(ImportFolderTest, TheMissingEmulatorIsWhatThisSystemRuns)
{
    const std::vector<std::string> both = {"WinUAE817r3.exe", "WinUAE814r3.exe"};
    const struct {
        const char* programs;  // what the emulator folder holds (from this row on): "" nothing
        EmulatorHost host;
        bool programsMissing, fsUaeMissing;
    } rows[] = {{"", {true, false}, true, false},    {"", {false, true}, false, false},
                {"", {false, false}, false, true},   {"MZ", {true, false}, false, false},
                {"MZ", {false, false}, false, true}, {"#!/bin/sh\n", {false, false}, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "programs \"" << row.programs << "\", Windows programs run "
                     << row.host.runsWindowsPrograms << ", FS-UAE " << row.host.fsUaeInstalled);
        for (const std::string& name : *row.programs ? both : std::vector<std::string>{})
            test::WriteFile(App("\\WinUAE\\" + name), row.programs);
        const MissingFiles missing = FindMissingFiles(row.host);
        EXPECT_EQ(row.programsMissing ? both : std::vector<std::string>{}, missing.emulatorPrograms);
        EXPECT_EQ(row.fsUaeMissing, missing.fsUae);
    }
}

}  // namespace
}  // namespace talvero
