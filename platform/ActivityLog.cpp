#include "platform/ActivityLog.h"

#include "platform/ActivityLogTesting.h"
#include "platform/AppFolder.h"
#include "platform/TimeText.h"


namespace talvero {

namespace {

std::string& OverriddenLogFile()
{
    static std::string path;
    return path;
}

}  // namespace

std::string LogFilePath()
{
    if (!OverriddenLogFile().empty())
        return OverriddenLogFile();
    const std::string folder = LogFolder();
    return folder.empty() ? std::string() : JoinPath(folder, "talvero.log");
}

void LogLine(const std::string& text)
{
    try {
        if (const std::string path = LogFilePath(); !path.empty())
            AppendLogLine(path, LocalTimeText() + "  " + text + "\n");
    } catch (const std::exception&) {
        // Out of memory or a path the library refuses: the line is lost, the start goes on.
    }
}

namespace testing {
void SetLogFile(const std::string& path)
{
    OverriddenLogFile() = path;
}
}  // namespace testing

}  // namespace talvero
