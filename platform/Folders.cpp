#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/PathText.h"

namespace talvero {

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
