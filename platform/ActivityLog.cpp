#include "platform/ActivityLog.h"

#include "platform/AppFolder.h"

#include <ctime>

namespace talvero {

namespace {

std::string& OverriddenLogFile()
{
    static std::string path;
    return path;
}

std::string TimeText()
{
    const std::time_t now = std::time(nullptr);
    // Only the user-interface thread logs, so the shared result of localtime is safe here.
    const std::tm* local = std::localtime(&now);
    char text[32];
    return local ? std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local))
                 : std::string();
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
            AppendLogLine(path, TimeText() + "  " + text + "\n");
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
