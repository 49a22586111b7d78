// Where Windows behaves differently: error codes, hidden and system attributes, files held by
// another handle, and the ANSI code page.
#include "app/StartGame.h"
#include "config/OptionsLogic.h"
#include "emulator/EmulatorInterface.h"
#include "install/Installer.h"
#include "platform/Files.h"
#include "platform/windows/ErrorMapping.h"
#include "tests/support/AppFolderTest.h"

#include <windows.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;

class WindowsFilesTest : public test::AppFolderTest {};

// System error codes map to the program's numbers; a configuration file that another program holds
// without sharing fails with 70 and stays as it was.
TEST_F(WindowsFilesTest, ErrorCodesMapToNumbersAndAHeldConfigurationIs70AndStays)
{
    for (const auto& [error, number] :
         {std::pair<long, int>{ERROR_FILE_NOT_FOUND, 53}, {ERROR_PATH_NOT_FOUND, 76}, {ERROR_INVALID_DRIVE, 76},
          {ERROR_ACCESS_DENIED, 75}, {ERROR_WRITE_PROTECT, 75}, {ERROR_SHARING_VIOLATION, 70},
          {ERROR_LOCK_VIOLATION, 70}, {ERROR_DISK_FULL, 61}, {ERROR_NOT_READY, 71}, {ERROR_INVALID_NAME, 52}})
        EXPECT_EQ(number, static_cast<int>(windows::ErrorNumberFromWindowsError(error))) << "system error " << error;

    test::WriteFile(App(kConfigFile), "chipset=ocs\r\n");
    HANDLE held = CreateFileA(App(kConfigFile).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const int number = ErrorNumberOf([] { SetConfigValue("chipset=", "aga"); });
    CloseHandle(held);
    EXPECT_EQ(70, number);
    EXPECT_EQ("chipset=ocs\r\n", Config());
}

// A hidden or system file is no file to look for, but one that holds saves keeps its bytes and its
// attribute through a game start.
TEST_F(WindowsFilesTest, AHiddenOrSystemNvramHdfSurvivesStartGameByteForByte)
{
    LayOutDemo();
    InsertDemoCd("UFO - Enemy Unknown");
    const std::string nvram = App("\\Cache\\ufo1\\nv\\nvram.hdf"),
                      saves = std::string("UFO saves\0\x01\xFE", 13) + std::string(4000, '\x5A');
    for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        test::WriteFile(nvram, saves);
        SetFileAttributesA(nvram.c_str(), attribute);
        EXPECT_FALSE(FileExists(nvram));
        StartGame("UFO - Enemy Unknown", {}, [] { return InstallerOptions{"D:", true}; });
        WaitForLaunchLog(attribute == FILE_ATTRIBUTE_HIDDEN ? 1 : 2);
        const DWORD kept = GetFileAttributesA(nvram.c_str()) & attribute;
        SetFileAttributesA(nvram.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(attribute, kept);
        EXPECT_TRUE(saves == test::ReadFile(nvram)) << "the saves changed";
    }
}

// The user's folder "Jörg" (its name in UTF-8 as the windows hand it over) holds the AppFolder
// and the ROM: paths reach the wide file functions as UTF-16, the lock beside Default.uae takes the
// name, and a configuration value goes to the file in the ANSI code page (Windows-1252 here); one
// the code page cannot hold leaves the file as it was.
TEST_F(WindowsFilesTest, NonAsciiPathsWorkAndConfigurationValuesUseTheAnsiCodePage)
{
    ASSERT_EQ(1252u, GetACP()) << "the test expects Windows-1252 as the ANSI code page";
    const std::string ascii = folder.path(), jorg = ascii + "\\J\xC3\xB6rg";
    ASSERT_TRUE(
        CreateDirectoryW((std::wstring(ascii.begin(), ascii.end()) + L"\\J\u00F6rg").c_str(), nullptr));
    LayOutDemoAppFolder(jorg + "\\Talvero", test::StandinExecutable());
    SetAppFolder(jorg + "\\Talvero");
    EXPECT_FALSE(AppFolderUnusableByEmulator().has_value());
    WriteFileBytes(App(kConfigFile), "kickstart_rom_file=kick31.rom\r\nlast=\xE9\r\n");
    WriteFileBytes(jorg + "\\kick31.rom", std::string(160, '\0') + "40" + std::string(862, '\0'));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder / "J\xF6rg\\kick31.rom").c_str()));

    OptionsState state{.drive = "D:", .romFile = jorg + "\\kick31.rom"};
    ASSERT_TRUE(SaveOptions(state));
    const std::string saved = "kickstart_rom_file=" + ascii + "\\J\xF6rg\\kick31.rom\r\nlast=\xE9\r\n";
    EXPECT_EQ(saved, ReadFileBytes(App(kConfigFile)).substr(0, saved.size()));

    EXPECT_EQ(93, ErrorNumberOf([] { SetConfigValue("filesystem=", "\xE2\x82"); }));
}

// A ROM path the code page cannot hold fails the save like any other write: the options dialog's
// one message with the stop icon, the reason in its details and in the log, the file as it was.
TEST_F(WindowsFilesTest, ARomPathOutsideTheCodePageIsReportedAsOptionsNotSaved)
{
    const std::string before = "kickstart_rom_file=kick31.rom\r\n";
    test::WriteFile(App(kConfigFile), before);
    OptionsState state{.drive = "D:", .romFile = folder.path() + "\\\xD0\x96.rom"};  // Cyrillic Zhe

    EXPECT_FALSE(SaveOptions(state));
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(kMessageOptionsNotSaved, message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_NE(std::string::npos, message.detail.find("code page (1252)")) << message.detail;
    EXPECT_NE(std::string::npos, test::ReadFile(folder / "talvero.log").find("code page (1252)"));
    EXPECT_EQ(before, Config());
}

// An AppFolder whose name the code page cannot hold is said once as the reason, and Start game
// says the same, starts nothing and leaves the program running.
TEST_F(WindowsFilesTest, AnAppFolderOutsideTheCodePageIsExplainedAndTheProgramRuns)
{
    const std::string appFolder = folder.path() + "\\\xD0\x96\xD0\xB5\xD0\xBD\xD1\x8F";  // "Женя"
    LayOutDemoAppFolder(appFolder, test::StandinExecutable());
    SetAppFolder(appFolder);

    const auto problem = AppFolderUnusableByEmulator();
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(std::string::npos, problem->find(appFolder)) << *problem;
    EXPECT_NE(std::string::npos, problem->find("code page (1252)")) << *problem;

    StartGame("Akira", {}, [] { return InstallerOptions{"D:", true}; });
    host->ExpectMessage(*problem, MessageIcon::Exclamation);
    EXPECT_EQ(0, host->endProgramRequests);
}

}  // namespace
}  // namespace talvero
