#include "platform/FileError.h"

#include <utility>

namespace talvero {

namespace {
std::string DescriptionOf(std::int16_t number)
{
    switch (number) {
    case ErrorNumber::InvalidArgument:
        return "Invalid value";
    case ErrorNumber::BadFileName:
        return "Bad file name or record";
    case ErrorNumber::FileNotFound:
        return "File not found";
    case ErrorNumber::DeviceIO:
        return "Device I/O error";
    case ErrorNumber::DiskFull:
        return "Disk full";
    case ErrorNumber::InputPastEnd:
        return "Input past end of file";
    case ErrorNumber::TooManyFiles:
        return "Too many files";
    case ErrorNumber::DiskNotReady:
        return "Disk not ready";
    case ErrorNumber::PermissionDenied:
        return "File in use";
    case ErrorNumber::PathFileAccess:
        return "Path/file access error (read-only, a folder, or no permission)";
    case ErrorNumber::PathNotFound:
        return "Path not found";
    default:
        return "Error " + std::to_string(number);
    }
}
}  // namespace

FileError::FileError(std::int16_t number, const std::string& message, std::string path, std::string reason)
    : std::runtime_error(message), m_number(number), m_path(std::move(path)), m_reason(std::move(reason)) {}

std::string FileError::Details() const
{
    if (m_path.empty())
        return m_reason.empty() ? what() : m_reason;
    return m_path + "\n" + (m_reason.empty() ? DescriptionOf(m_number) : m_reason);
}

std::string DetailsOf(const std::exception& failure)
{
    if (const auto* fileError = dynamic_cast<const FileError*>(&failure))
        return fileError->Details();
    return failure.what();
}

void ThrowFileError(std::int16_t number, const std::string& path, const std::string& reason)
{
    throw FileError(number, "file error " + std::to_string(number) + ": " + path, path,
                    reason.empty() ? DescriptionOf(number) : reason);
}

}  // namespace talvero
