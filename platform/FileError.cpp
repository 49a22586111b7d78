#include "platform/FileError.h"

#include <utility>

namespace talvero {

std::string ToText(ErrorNumber number)
{
    return std::to_string(static_cast<int>(number));
}

namespace {
std::string DescriptionOf(ErrorNumber number)
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
    case ErrorNumber::OutOfMemory:
        return "Out of memory";
    case ErrorNumber::InternalError:
        return "Internal error";
    case ErrorNumber::NotInCodePage:
        return "Text the system's code page cannot hold";
    case ErrorNumber::BadFileFormat:
        return "Not a usable file of its kind";
    }
    return "Error " + ToText(number);
}
}  // namespace

FileError::FileError(ErrorNumber number, const std::string& message, std::string path, std::string reason)
    : std::runtime_error(message), m_number(number), m_path(std::move(path)), m_reason(std::move(reason))
{}

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

void ThrowFileError(ErrorNumber number, const std::string& path, const std::string& reason)
{
    throw FileError(number, "file error " + ToText(number) + ": " + path, path,
                    reason.empty() ? DescriptionOf(number) : reason);
}

}  // namespace talvero
