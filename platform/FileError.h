#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace talvero {

/// One numbering for every file failure, from the lowest layer up to the windows. A type of its
/// own, so that a plain integer cannot stand where a file-error number is meant.
enum class ErrorNumber : std::int16_t {
    InvalidArgument = 5,  // a value that would corrupt a file (e.g. a line break in a key)
    OutOfMemory = 7,
    InternalError = 51,  // a failure that is no file error at all
    BadFileName = 52,    // a malformed name or record
    FileNotFound = 53,
    DeviceIO = 57,  // a failure the system gives no better name for
    DiskFull = 61,
    InputPastEnd = 62,
    TooManyFiles = 67,
    PermissionDenied = 70,  // the file is held by another program
    DiskNotReady = 71,      // a drive without a disc
    PathFileAccess = 75,
    PathNotFound = 76,
    NotInCodePage = 93,   // text the system's 8-bit code page cannot hold
    BadFileFormat = 321,  // a file that is not what it claims to be (a damaged CD image)
};

/// The number in decimal, as messages show it.
std::string ToText(ErrorNumber number);

/// A failed file operation, carrying its file-error number, the path it failed on and the
/// system's own words for the failure.
class FileError : public std::runtime_error {
public:
    FileError(ErrorNumber number, const std::string& message, std::string path = {}, std::string reason = {});
    ErrorNumber number() const { return m_number; }
    const std::string& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }
    /// The path and the reason, one per line, for a message's details.
    std::string Details() const;

private:
    ErrorNumber m_number;
    std::string m_path;
    std::string m_reason;
};

/// The details of any failure for a message box: a file failure's path and reason, otherwise its
/// own text.
std::string DetailsOf(const std::exception& failure);

/// Throws the failure; without the system's reason, a short description of the number stands in.
[[noreturn]] void ThrowFileError(ErrorNumber number, const std::string& path, const std::string& reason = {});

}  // namespace talvero
