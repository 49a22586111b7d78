#include "platform/ActivityLog.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace talvero {

std::string LogFolder()
{
    // Beside the settings, in the user's roaming application data.
    const char* appData = std::getenv("APPDATA");
    return std::string(appData && *appData ? appData : ".") + "\\Talvero";
}

bool AppendLogLine(const std::string& path, const std::string& line)
{
    // The user's own application data folder, which other users cannot reach.
    namespace fs = std::filesystem;
    const fs::path file(path);
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    if (fs::file_size(file, ignored) >= kLogRotationSize && !ignored)
        fs::rename(file, fs::path(file).concat(".1"), ignored);
    std::ofstream out(file, std::ios::app | std::ios::binary);
    out << line;
    return static_cast<bool>(out.flush());
}

}  // namespace talvero
