// The build for a system without the image library: images are mounted by the system instead.
#include "platform/cdimage/CdImage.h"

namespace talvero {

bool CdImagesSupported()
{
    return false;
}

std::unique_ptr<CdImage> CdImage::Open(const std::string& path)
{
    throw CdImageError(path, "on Windows a CD image needs a drive letter. Mount it (Explorer opens an ISO "
                             "as a drive) and choose that drive in the options");
}

}  // namespace talvero
