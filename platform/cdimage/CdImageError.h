#pragma once

#include "platform/FileError.h"

#include <string>

namespace talvero {

/// An image that cannot be read as a CD. The message names the image and the reason.
class CdImageError : public FileError {
public:
    CdImageError(const std::string& image, const std::string& reason);
};

/// "The CD image "<path>" cannot be used: <reason>."
std::string CdImageMessage(const std::string& image, const std::string& reason);

}  // namespace talvero
