#include "platform/Files.h"

namespace talvero {

void CreateFolderIfMissing(const std::string& path)
{
    if (!FolderExists(path))
        CreateFolder(path);
}

}  // namespace talvero
