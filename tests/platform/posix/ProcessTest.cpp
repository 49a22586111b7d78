// Starting a program by path, without arguments and without waiting for it.
#include "platform/Process.h"

#include "platform/FileError.h"
#include "tests/support/TestFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace talvero {
namespace {

TEST(StartProcess, StartsAProgramWithoutArgumentsInItsFolderAndDoesNotWait)
{
    test::TestFolder folder;
    test::WriteFile(folder / "emulator.sh", "#!/bin/sh\nsleep 2\necho \"$# $(pwd)\" > started.txt\n");
    ::chmod((folder / "emulator.sh").c_str(), 0755);
    const auto before = std::chrono::steady_clock::now();
    StartProcess(folder / "emulator.sh");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
    const std::string expected = "0 " + folder.path() + "\n";
    for (int i = 0; i < 300 && !(test::Exists(folder / "started.txt") &&
                                 test::ReadFile(folder / "started.txt") == expected);
         ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // at most 6 s
    EXPECT_EQ(expected, test::ReadFile(folder / "started.txt"));
}

TEST(StartProcess, MissingOrUnrunnableProgramsFailWithTheirNumbers)
{
    test::TestFolder folder;
    test::WriteFile(folder / "notexecutable.exe", "#!/bin/sh\n");
    test::WriteFile(folder / "garbage.exe", std::string("\x7f"
                                                        "ELF garbage",
                                                        12));
    ::chmod((folder / "garbage.exe").c_str(), 0755);
    test::MakeFolders(folder / "folder.exe");
    const std::pair<const char*, int> programs[] = {{"WinUAE817r3.exe", 53},
                                                    {"WinUAE/WinUAE817r3.exe", 76},
                                                    {"notexecutable.exe", 75},
                                                    {"folder.exe", 75},
                                                    {"garbage.exe", -1}};
    for (const auto& [program, number] : programs) {
        const int failure = test::ErrorNumberOf([&] { StartProcess(folder / program); });
        EXPECT_TRUE(number < 0 ? failure != 0 : failure == number) << program << ": " << failure;
    }
}

}  // namespace
}  // namespace talvero
