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

int StartFailure(const std::string& path)
{
    return test::ErrorNumberOf([&] { StartProcess(path); });
}

TEST(StartProcess, StartsAProgramWithoutArgumentsInItsFolderAndDoesNotWait)
{
    test::TestFolder folder;
    const std::string script = folder / "emulator.sh";
    test::WriteFile(script, "#!/bin/sh\nsleep 2\necho \"$# $(pwd)\" > started.txt\n");
    ::chmod(script.c_str(), 0755);
    const auto before = std::chrono::steady_clock::now();
    StartProcess(script);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
    // Wait (at most 6 s) for the program's whole line.
    const std::string started = folder / "started.txt";
    const auto done = [&] {
        return test::Exists(started) && test::ReadFile(started).find('\n') != std::string::npos;
    };
    for (int i = 0; i < 300 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ("0 " + folder.path() + "\n", test::ReadFile(folder / "started.txt"));
}

TEST(StartProcess, MissingOrUnrunnableProgramsFailWithTheirNumbers)
{
    test::TestFolder folder;
    test::WriteFile(folder / "notexecutable.exe", "#!/bin/sh\n");
    ::chmod((folder / "notexecutable.exe").c_str(), 0644);
    test::MakeFolders(folder / "folder.exe");
    EXPECT_EQ(53, StartFailure(folder / "WinUAE817r3.exe"));
    EXPECT_EQ(76, StartFailure(folder / "WinUAE/WinUAE817r3.exe"));
    EXPECT_EQ(75, StartFailure(folder / "notexecutable.exe"));
    EXPECT_EQ(75, StartFailure(folder / "folder.exe"));
}

TEST(StartProcess, AProgramTheSystemCannotRunFails)
{
    test::TestFolder folder;
    test::WriteFile(folder / "garbage.exe", std::string("\x7f"
                                                        "ELF garbage",
                                                        12));
    ::chmod((folder / "garbage.exe").c_str(), 0755);
    EXPECT_NE(0, StartFailure(folder / "garbage.exe"));
}

}  // namespace
}  // namespace talvero
