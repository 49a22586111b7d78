#include "platform/posix/ErrnoMapping.h"

#include "platform/FileError.h"
#include "platform/PathText.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace talvero::posix {

namespace {
bool ParentFolderExists(const std::string& path)
{
    struct stat st {};
    return ::stat(FolderOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

std::string FolderOf(const std::string& path)
{
    return talvero::FolderOf(path, "/");
}

ErrorNumber ErrorNumberFromErrno(int err, const std::string& path)
{
    switch (err) {
    case ENOENT:
        // A missing file in an existing folder is "file not found"; anything missing above it
        // is "path not found".
        return ParentFolderExists(path) ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound;
    case ENOTDIR:
        return ErrorNumber::PathNotFound;
    case EISDIR:
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
        return ErrorNumber::PathFileAccess;
    case ETXTBSY:
    case EBUSY:
        return ErrorNumber::PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return ErrorNumber::DiskFull;
    case ENAMETOOLONG:
    case EILSEQ:
        return ErrorNumber::BadFileName;
    case EMFILE:
    case ENFILE:
        return ErrorNumber::TooManyFiles;
    default:
        return ErrorNumber::DeviceIO;
    }
}

void ThrowErrno(int err, const std::string& path)
{
    ThrowFileError(ErrorNumberFromErrno(err, path), path, std::strerror(err));
}

}  // namespace talvero::posix
