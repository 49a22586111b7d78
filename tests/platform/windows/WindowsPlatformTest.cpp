// Where Windows behaves differently: drive letters, backslash paths, error codes, attributes,
// files held by another handle, and starting programs.
#include "app/StartGame.h"
#include "config/OptionsLogic.h"
#include "emulator/ConfigEditor.h"
#include "install/Installer.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/windows/ErrorMapping.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/TestFolder.h"

#include <windows.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;

TEST(WindowsPlatform, SystemErrorCodesMapToTheProgramsNumbersAndDrivesAreLetters)
{
    const std::pair<int, unsigned long> mapped[] = {{53, ERROR_FILE_NOT_FOUND}, {76, ERROR_PATH_NOT_FOUND},
                                                    {76, ERROR_INVALID_DRIVE},  {75, ERROR_ACCESS_DENIED},
                                                    {75, ERROR_WRITE_PROTECT},  {70, ERROR_SHARING_VIOLATION},
                                                    {70, ERROR_LOCK_VIOLATION}, {61, ERROR_DISK_FULL},
                                                    {71, ERROR_NOT_READY},      {52, ERROR_INVALID_NAME}};
    for (const auto& [number, error] : mapped)
        EXPECT_EQ(number, static_cast<int>(windows::ErrorNumberFromWindowsError(error))) << error;
    EXPECT_EQ(std::optional<std::string>("C:\\"), DriveRoot("C:"));
    EXPECT_EQ(std::optional<std::string>("C:\\"), DriveRoot("c:\\"));
    EXPECT_EQ("D:\\Akira", PathOnDrive("D:", "\\Akira"));
    EXPECT_EQ("E:\\WV_Disk_1\\wv", PathOnDrive("E:\\", "\\WV_Disk_1\\wv"));
    bool listsC = false;
    for (const DriveEntry& drive : ListDrives())
        listsC = listsC || drive.text.rfind("C:", 0) == 0;
    EXPECT_TRUE(listsC);
}

class WindowsFilesTest : public test::AppFolderTest {};

TEST_F(WindowsFilesTest, HiddenAndSystemFilesDoNotExistReadOnlyOnesDoAndProgramsFailWithTheirNumbers)
{
    for (const auto& [name, attribute] : {std::pair<const char*, DWORD>{"plain", FILE_ATTRIBUTE_NORMAL},
                                          {"hidden", FILE_ATTRIBUTE_HIDDEN},
                                          {"system", FILE_ATTRIBUTE_SYSTEM},
                                          {"readonly", FILE_ATTRIBUTE_READONLY}}) {
        test::WriteFile(folder / name, "x");
        SetFileAttributesA((folder / name).c_str(), attribute);
        EXPECT_EQ(attribute == FILE_ATTRIBUTE_NORMAL || attribute == FILE_ATTRIBUTE_READONLY,
                  FileExists(folder / name))
            << name;
        SetFileAttributesA((folder / name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    test::MakeFolders(folder / "folder.exe");
    EXPECT_EQ(53, ErrorNumberOf([&] { StartProcess(folder / "missing.exe"); }));
    EXPECT_EQ(76, ErrorNumberOf([&] { StartProcess(folder / "nofolder/missing.exe"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { StartProcess(folder / "folder.exe"); }));
    EXPECT_NE(0, ErrorNumberOf([&] { StartProcess(folder / "plain"); }));  // not a program
}

TEST_F(WindowsFilesTest, AConfigurationFileHeldWithoutSharingIs70AndStays)
{
    test::WriteFile(App(kConfigFile), "chipset=ocs\r\n");
    HANDLE held = CreateFileA(App(kConfigFile).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const int number = ErrorNumberOf([] { SetConfigValue("chipset=", "aga"); });
    CloseHandle(held);
    EXPECT_EQ(70, number);
    EXPECT_EQ("chipset=ocs\r\n", Config());
}

TEST_F(WindowsFilesTest, AHiddenOrSystemNvramHdfSurvivesStartGameByteForByte)
{
    LayOutDemo();
    InsertDemoCd("UFO - Enemy Unknown");
    const std::string nvram = App("\\Cache\\ufo1\\nv\\nvram.hdf");
    const std::string saves = std::string("UFO saves\0\x01\xFE", 13) + std::string(4000, '\x5A');
    int launches = 0;
    for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        test::WriteFile(nvram, saves);
        SetFileAttributesA(nvram.c_str(), attribute);
        StartGame("UFO - Enemy Unknown", {}, [] { return InstallerOptions{"D:", true}; });
        EXPECT_EQ(0u, host->PendingMessages());
        WaitForLaunchLog(++launches);
        EXPECT_EQ(attribute, GetFileAttributesA(nvram.c_str()) & attribute);
        SetFileAttributesA(nvram.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(saves, test::ReadFile(nvram)) << attribute;
    }
}

// Paths reach the wide file functions as UTF-16; a configuration value goes to the file in the
// ANSI code page (Windows-1252 here), and one the code page cannot hold leaves the file as it was.
TEST_F(WindowsFilesTest, NonAsciiPathsWorkAndConfigurationValuesUseTheAnsiCodePage)
{
    ASSERT_EQ(1252u, GetACP()) << "the test expects Windows-1252 as the ANSI code page";
    test::WriteFile(App(kConfigFile), "kickstart_rom_file=kick31.rom\r\nlast=\xE9\r\n");
    // The user's folder "Jörg", and its name in UTF-8 as the windows hand it over.
    const std::string ascii = folder.path();
    ASSERT_TRUE(
        CreateDirectoryW((std::wstring(ascii.begin(), ascii.end()) + L"\\J\u00F6rg").c_str(), nullptr));
    const std::string romFolder = ascii + "\\J\xC3\xB6rg";
    std::string rom(1024, '\0');
    rom.replace(160, 2, "40");
    WriteFileBytes(romFolder + "\\kick31.rom", rom);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder / "J\xF6rg\\kick31.rom").c_str()));
    EXPECT_EQ(KickstartCheck::Accepted, CheckKickstartFile(romFolder + "\\kick31.rom"));

    OptionsState state;
    state.drive = "D:";
    state.romFile = romFolder + "\\kick31.rom";
    ASSERT_TRUE(SaveOptions(state));
    const std::string saved = "kickstart_rom_file=" + ascii + "\\J\xF6rg\\kick31.rom\r\nlast=\xE9\r\n";
    EXPECT_EQ(saved, Config().substr(0, saved.size()));

    state.romFile = romFolder + "\\\xD0\x96.rom";  // a Cyrillic letter, not in Windows-1252
    EXPECT_FALSE(SaveOptions(state));
    host->ExpectMessage(kMessageNotInCodePage, MessageIcon::Exclamation);
    EXPECT_EQ(saved, Config().substr(0, saved.size()));
    EXPECT_EQ(93, ErrorNumberOf([] { SetConfigValue("filesystem=", "\xE2\x82"); }));
}

}  // namespace
}  // namespace talvero
