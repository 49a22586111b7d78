#include "platform/ActivityLog.h"

#include "platform/AppFolder.h"

#include <ctime>
#include <filesystem>
#include <fstream>

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
        out << TimeText() << "  " << text << "\n";
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
