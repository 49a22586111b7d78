#include "platform/FileError.h"

namespace talvero {

std::string ToText(ErrorNumber number)
{
    return std::to_string(static_cast<int>(number));
}

FileError::FileError(ErrorNumber number, const std::string& message)
    : std::runtime_error(message), m_number(number) {}

void ThrowFileError(ErrorNumber number, const std::string& path)
{
    throw FileError(number, "file error " + ToText(number) + ": " + path);
}

}  // namespace talvero
