// The file services that are the same on every system.
#include "platform/Files.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/PathText.h"

#include <algorithm>
#include <filesystem>

namespace talvero {

std::vector<std::string> FileNamesIn(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code failure;
    for (fs::directory_iterator entry(folder, failure), end; !failure && entry != end; entry.increment(failure)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored))
            names.push_back(entry->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void CreateFolderIfMissing(const std::string& path)
{
    if (!FolderExists(path))
        CreateFolder(path);
}

void CreateFolderWithParents(const std::string& path)
{
    if (FolderExists(path))
        return;
    if (const std::string parent = FolderOf(path, std::string(1, NativeSeparator())); parent != path)
        CreateFolderWithParents(parent);
    CreateFolderIfMissing(path);
}

void RefuseLinksBelow(const std::string& root, const std::string& path)
{
    if (path.compare(0, root.size(), root) != 0)
        return;
    for (std::size_t end = path.find(NativeSeparator(), root.size() + 1);;
         end = path.find(NativeSeparator(), end + 1)) {
        const std::string part = path.substr(0, end);
        if (part.size() > root.size() && IsLink(part))
            ThrowFileError(ErrorNumber::PathFileAccess, path);
        if (end == std::string::npos)
            return;
    }
}

}  // namespace talvero
