#include "platform/FileError.h"

namespace talvero {

FileError::FileError(std::int16_t number, const std::string& message)
    : std::runtime_error(message), m_number(number) {}

void ThrowFileError(std::int16_t number, const std::string& path)
{
    throw FileError(number, "file error " + std::to_string(number) + ": " + path);
}

}  // namespace talvero
