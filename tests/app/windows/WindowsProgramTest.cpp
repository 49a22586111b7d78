// Windows' own side of the program: its settings in the registry, an AppFolder whose name the
// emulator cannot be given, and the built talvero.exe run with Windows' platform plugin (under
// Wine in Xvfb, from scripts/run-windows-tests.sh).
#include "emulator/EmulatorInterface.h"
#include "settings/QtSettingsBackend.h"
#include "tests/support/GuiTest.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <vector>
#include <windows.h>

namespace talvero {
namespace {

constexpr const wchar_t* kRegistryKey = L"Software\\VB and VBA Program Settings\\Quorra\\Optionen";

std::optional<std::wstring> RegistryValue(const wchar_t* name)
{
    wchar_t value[512];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kRegistryKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void SetRegistryValue(const wchar_t* name, const std::optional<std::wstring>& value)
{
    if (!value) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRegistryKey, name);
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kRegistryKey, name, REG_SZ, value->c_str(),
                    static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
}

// The program's own store writes the key where earlier releases kept it, as text values the
// registry tools read back; the user's values are put back afterwards.
TEST(RegistrySettingsTest, TheStoreWritesTheQuorraOptionenKeyOfTheCurrentUser)
{
    const std::optional<std::wstring> drive = RegistryValue(L"Drive"), rom = RegistryValue(L"ROMfile");
    QtSettingsBackend store;
    ASSERT_TRUE(QtSettingsBackend::UserSettingsFile().isEmpty());
    store.Set("Drive", "E:");
    store.Set("ROMfile", "C:\\Users\\J\xC3\xB6rg\\kick31.rom");
    const std::optional<std::wstring> storedDrive = RegistryValue(L"Drive"), storedRom = RegistryValue(L"ROMfile");
    SetRegistryValue(L"Drive", L"F:");
    const std::optional<std::string> readBack = store.Get("Drive");
    SetRegistryValue(L"Drive", drive);
    SetRegistryValue(L"ROMfile", rom);

    EXPECT_EQ(L"E:", storedDrive.value_or(L"<absent>"));
    EXPECT_EQ(L"C:\\Users\\J\u00F6rg\\kick31.rom", storedRom.value_or(L"<absent>"));
    EXPECT_EQ("F:", readBack.value_or("<absent>"));
}

class WindowsMainWindowTest : public test::GuiTest {};

// An AppFolder named "Женя" (outside Windows-1252): the reason is said once when the window
// shows, and the window stays (WindowsFilesTest has Start game saying it and starting nothing).
TEST_F(WindowsMainWindowTest, AFolderNameTheEmulatorCannotTakeIsSaidOnceAndTheProgramRuns)
{
    const std::string appFolder = folder.path() + "\\\xD0\x96\xD0\xB5\xD0\xBD\xD1\x8F";
    LayOutDemoAppFolder(appFolder, test::StandinExecutable());
    SetAppFolder(appFolder);
    const std::string reason = AppFolderUnusableByEmulator().value_or("<none>");

    ASSERT_TRUE(StartMainWindow());
    ASSERT_TRUE(QTest::qWaitFor([this] { return host->PendingMessages() > 0; }));
    host->ExpectMessage(reason, MessageIcon::Exclamation);
    // Once: no second box after the events that follow the first.
    QApplication::processEvents();
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_TRUE(mainWindow->isVisible());
}

// --- the built program, on the display the script gives (TALVERO_SMOKE_DISPLAY) ---------------

// The visible top-level window of `process` titled as the main window.
HWND MainWindowOf(DWORD process)
{
    const HWND window = FindWindowW(nullptr, L"Talvero v1.1 - (c) 2001/2002 the Talvero authors");
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return window && owner == process && IsWindowVisible(window) ? window : nullptr;
}

void PressKeys(std::initializer_list<WORD> keys, WORD modifier = 0)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier)
        add(modifier, 0);
    for (WORD key : keys) {
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
    }
    if (modifier)
        add(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class WindowsProgramTest : public test::AppFolderTest {};

// talvero.exe as a user starts it: the main window appears with its title, Enter starts the game
// picked by keyboard from the CD in drive D: (the stand-in records the start), and Ctrl+Q runs
// the shutdown sequence and ends the program.
TEST_F(WindowsProgramTest, TheMainWindowStartsAGameFromDriveDAndCtrlQShutsDown)
{
    const char* display = std::getenv("TALVERO_SMOKE_DISPLAY");
    if (!display)
        GTEST_SKIP() << "needs a display for Windows' platform plugin (TALVERO_SMOKE_DISPLAY)";
    LayOutDemo();
    InsertDemoCd("Akira");
    // The tests themselves run offscreen; the program gets the real display.
    SetEnvironmentVariableA("DISPLAY", display);
    SetEnvironmentVariableA("QT_QPA_PLATFORM", nullptr);
    const std::int64_t child = test::StartChild(test::BuiltProgram(TALVERO_PROGRAM), {"--app-folder", folder.path()});
    SetEnvironmentVariableA("QT_QPA_PLATFORM", "offscreen");
    ASSERT_NE(0, child);
    const HANDLE process = reinterpret_cast<HANDLE>(child);
    HWND window = nullptr;
    const bool appeared =
        QTest::qWaitFor([&] { return (window = MainWindowOf(GetProcessId(process))) != nullptr; }, 30000);
    if (!appeared)
        test::KillChild(child);
    ASSERT_TRUE(appeared) << "no main window titled \"Talvero v1.1 - ...\" within 30 s";

    SetForegroundWindow(window);
    PressKeys({VK_DOWN, 'A', 'K', VK_RETURN});
    // The whole program under Wine installs and starts the stand-in in a few seconds; a loaded
    // machine takes several times that.
    const std::string launch = WaitForLaunchLog(1, std::chrono::seconds(60));
    PressKeys({'Q'}, VK_CONTROL);
    const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    if (!ended)
        test::KillChild(child);
    else
        test::WaitForChild(child);

    EXPECT_NE(std::string::npos, launch.find("result: ok")) << launch;
    EXPECT_NE(std::string::npos, launch.find("Cache\\akir")) << launch;
    EXPECT_TRUE(ended) << "Ctrl+Q did not end the program";
    EXPECT_EQ("rw,tmp:" + App("\\Cache\\tmp"), ConfigValue("filesystem="));
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
}

}  // namespace
}  // namespace talvero
