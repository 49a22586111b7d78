// Starting a program by path, without arguments and without waiting for it.
#include "platform/Process.h"

#include "platform/Files.h"
#include "tests/support/TestFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace talvero {
namespace {

// A program starts in its own folder without arguments, and the start does not wait for it; a
// missing or unrunnable one fails with its number.
TEST(StartProcess, StartsAProgramWithoutArgumentsInItsFolderAndDoesNotWaitOrFailsWithItsNumber)
{
    test::TestFolder folder;
    test::WriteFile(folder / "emulator.sh", "#!/bin/sh\nsleep 2\necho \"$# $(pwd)\" > s && mv s started\n");
    test::WriteFile(folder / "garbage.exe", std::string("\x7f"
                                                        "ELF garbage",
                                                        12));
    test::WriteFile(folder / "notexecutable.exe", "#!/bin/sh\n");
    test::MakeFolders(folder / "folder.exe");
    MarkExecutable(folder / "emulator.sh");
    MarkExecutable(folder / "garbage.exe");
    const auto before = std::chrono::steady_clock::now();
    StartProcess(folder / "emulator.sh");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
    std::string numbers;
    for (const char* program :
         {"WinUAE817r3.exe", "WinUAE/WinUAE817r3.exe", "notexecutable.exe", "folder.exe", "garbage.exe"})
        numbers += std::to_string(test::ErrorNumberOf([&] { StartProcess(folder / program); })) + " ";
    EXPECT_EQ("53 76 75 75 57 ", numbers);
    for (int i = 0; i < 300 && !test::Exists(folder / "started"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // at most 6 s
    EXPECT_EQ("0 " + folder.path() + "\n", test::ReadFile(folder / "started"));
}

}  // namespace
}  // namespace talvero
