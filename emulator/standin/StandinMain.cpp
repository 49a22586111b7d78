// The stand-in emulator: takes the emulator's place for the demo and the tests. It reads the
// configuration file beside itself exactly as the emulator would, checks what a game start relies
// on, appends a launch record to launch.log beside itself, and shows a summary when a display is
// there. Exit status 0 when every check holds.
#include "emulator/standin/LaunchCheck.h"
#include "emulator/standin/SummaryWindow.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "platform/TimeText.h"

#include <fstream>

using namespace talvero;

int main(int argc, char** argv)
{
    const std::string self = RunningExecutablePath();
    const std::string folder = AppFolder();
    LaunchReport report;
    try {
        report =
            CheckLaunch(ReadFileBytes(JoinPath(JoinPath(folder, "Configurations"), "Default.uae")), folder);
    } catch (const FileError& error) {
        report.checks.push_back({"configuration", false, error.what()});
    }
    report.executable = LastPartOf(self);
    report.time = LocalTimeText();
    for (int i = 1; i < argc; ++i)
        report.arguments.emplace_back(argv[i]);

    std::ofstream log(JoinPath(folder, "launch.log"), std::ios::app | std::ios::binary);
    log << report.Record();
    log.close();

    ShowSummaryWhereDisplayed(argc, argv, report);
    return report.AllPassed() ? 0 : 1;
}
