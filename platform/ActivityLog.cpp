#include "platform/ActivityLog.h"

#include "platform/AppFolder.h"
#include "platform/TimeText.h"

#include <filesystem>
#include <fstream>

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
    return OverriddenLogFile().empty() ? JoinPath(LogFolder(), "talvero.log") : OverriddenLogFile();
}

void LogLine(const std::string& text)
{
    namespace fs = std::filesystem;
    try {
        const fs::path path(LogFilePath());
        std::error_code ignored;
        fs::create_directories(path.parent_path(), ignored);
        if (fs::file_size(path, ignored) >= kLogRotationSize && !ignored)
            fs::rename(path, fs::path(path).concat(".1"), ignored);
        std::ofstream out(path, std::ios::app | std::ios::binary);
        out << LocalTimeText() << "  " << text << "\n";
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
