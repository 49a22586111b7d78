#pragma once

#include "platform/AppFolder.h"
#include "platform/FileError.h"

#include <filesystem>
#include <string>

namespace talvero::test {

/// A fresh temporary folder (below `parent`, else the system's), removed with all it holds at the end.
class TestFolder {
public:
    TestFolder() : TestFolder(std::filesystem::temp_directory_path().string()) {}
    explicit TestFolder(const std::string& parent);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return m_path; }
    /// The folder followed by a relative path ("a/b.txt"), in the platform's spelling.
    std::string operator/(const std::string& relative) const
    {
        return JoinPath(m_path, NativePath(relative));
    }

private:
    std::string m_path;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
void MakeFolders(const std::string& path);
/// Removes every write permission of a file or folder (the read-only attribute on Windows).
void MakeReadOnly(const std::string& path);
void MakeWritable(const std::string& path);

/// The file-error number an operation fails with, or 0 when it succeeds.
template <typename Operation>
int ErrorNumberOf(Operation operation)
{
    try {
        operation();
    } catch (const FileError& error) {
        return static_cast<int>(error.number());
    }
    return 0;
}

/// Whether a folder without write permission refuses new files: on Linux when the tests do not
/// run as root; Windows has no such folders.
bool ReadOnlyFoldersAreEnforced();

}  // namespace talvero::test
