#include "platform/cdimage/CdImageError.h"

namespace talvero {

CdImageError::CdImageError(const std::string& image, const std::string& reason)
    : FileError(ErrorNumber::BadFileFormat, CdImageMessage(image, reason))
{}

std::string CdImageMessage(const std::string& image, const std::string& reason)
{
    return "The CD image \"" + image + "\" cannot be used: " + reason + ".";
}

}  // namespace talvero
