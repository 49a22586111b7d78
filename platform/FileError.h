#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace talvero {

/// One numbering for every file failure, from the lowest layer up to the windows. A type of its
/// own, so that a plain integer cannot stand where a file-error number is meant.
enum class ErrorNumber : std::int16_t {
    InvalidArgument = 5,   // a value that would corrupt a file (e.g. a line break in a key)
    OutOfMemory = 7,
    InternalError = 51,    // a failure that is no file error at all
    BadFileName = 52,      // a malformed name or record
    FileNotFound = 53,
    DeviceIO = 57,         // a failure the system gives no better name for
    DiskFull = 61,
    InputPastEnd = 62,
    TooManyFiles = 67,
    PermissionDenied = 70,  // the file is held by another program
    DiskNotReady = 71,      // a drive without a disc
    PathFileAccess = 75,
    PathNotFound = 76,
    NotInCodePage = 93,     // text the system's 8-bit code page cannot hold
    BadFileFormat = 321,    // a file that is not what it claims to be (a damaged CD image)
};

/// The number in decimal, as messages show it.
std::string ToText(ErrorNumber number);

/// A failed file operation, carrying its file-error number.
class FileError : public std::runtime_error {
public:
    FileError(ErrorNumber number, const std::string& message);
    ErrorNumber number() const { return m_number; }

private:
    ErrorNumber m_number;
};

[[noreturn]] void ThrowFileError(ErrorNumber number, const std::string& path);

}  // namespace talvero
