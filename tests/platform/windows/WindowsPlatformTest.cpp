// Where Windows behaves differently: drive letters, backslash paths, error codes, attributes,
// files held by another handle, and starting programs.
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

TEST(WindowsErrors, SystemErrorCodesMapToTheProgramsNumbers)
{
    const std::pair<int, unsigned long> mapped[] = {
        {53, ERROR_FILE_NOT_FOUND}, {76, ERROR_PATH_NOT_FOUND}, {76, ERROR_INVALID_DRIVE}, {75, ERROR_ACCESS_DENIED},
        {75, ERROR_WRITE_PROTECT}, {70, ERROR_SHARING_VIOLATION}, {70, ERROR_LOCK_VIOLATION}, {61, ERROR_DISK_FULL},
        {71, ERROR_NOT_READY}, {52, ERROR_INVALID_NAME}};
    for (const auto& [number, error] : mapped)
        EXPECT_EQ(number, static_cast<int>(windows::ErrorNumberFromWindowsError(error))) << error;
}

TEST(WindowsDrives, ADriveIsItsLettersRoot)
{
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

TEST_F(WindowsFilesTest, HiddenAndSystemFilesDoNotExistReadOnlyOnesDo)
{
    for (const char* name : {"plain", "hidden", "system", "readonly"})
        test::WriteFile(folder / name, "x");
    SetFileAttributesA((folder / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((folder / "system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((folder / "readonly").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(FileExists(folder / "plain"));
    EXPECT_FALSE(FileExists(folder / "hidden"));
    EXPECT_FALSE(FileExists(folder / "system"));
    EXPECT_TRUE(FileExists(folder / "readonly"));
    SetFileAttributesA((folder / "readonly").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsFilesTest, AConfigurationFileHeldWithoutSharingIs70AndStays)
{
    test::MakeFolders(folder / "WinUAE/Configurations");
    test::WriteFile(App(kConfigFile), "chipset=ocs\r\n");
    HANDLE held = CreateFileA(App(kConfigFile).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const int number = ErrorNumberOf([] { SetConfigValue("chipset=", "aga"); });
    CloseHandle(held);
    EXPECT_EQ(70, number);
    EXPECT_EQ("chipset=ocs\r\n", Config());
}

TEST_F(WindowsFilesTest, TheFilesystemLineSpellsTheCacheWithBackslashes)
{
    LayOutDemo();
    test::MakeFolders(folder / "Cache");
    InstallGame("IK+", {"D:", true});
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_EQ("rw,0:" + AppFolder() + "\\Cache\\intk", ConfigValue("filesystem="));
    EXPECT_EQ(std::string::npos, ConfigValue("filesystem=").find('/'));
    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: WinUAE814r3.exe")) << log;
    EXPECT_NE(std::string::npos, log.find("result: ok")) << log;
}

TEST_F(WindowsFilesTest, ConfigurationLinesKeepTheirCrLfByteForByte)
{
    test::MakeFolders(folder / "WinUAE/Configurations");
    test::WriteFile(App(kConfigFile), "a=1\r\nlone\nfeed\r\nchipset=ocs\rlast");
    SetConfigValue("chipset=", "aga");
    EXPECT_EQ("a=1\r\nlone\nfeed\r\nchipset=aga\r\nlast\r\n", Config());
}

TEST_F(WindowsFilesTest, ProgramsThatCannotStartFailWithTheirNumbers)
{
    test::WriteFile(folder / "notaprogram.exe", "just text");
    test::MakeFolders(folder / "folder.exe");
    EXPECT_EQ(53, ErrorNumberOf([&] { StartProcess(folder / "missing.exe"); }));
    EXPECT_EQ(76, ErrorNumberOf([&] { StartProcess(folder / "nofolder/missing.exe"); }));
    EXPECT_EQ(75, ErrorNumberOf([&] { StartProcess(folder / "folder.exe"); }));
    EXPECT_NE(0, ErrorNumberOf([&] { StartProcess(folder / "notaprogram.exe"); }));
}

}  // namespace
}  // namespace talvero
