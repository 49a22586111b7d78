#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace talvero {

// One numbering for every file failure, from the lowest layer up to the windows.
namespace ErrorNumber {
constexpr std::int16_t InvalidArgument = 5;      // a value that would corrupt a file (e.g. a line break in a key)
constexpr std::int16_t BadFileName = 52;         // a malformed name or record
constexpr std::int16_t FileNotFound = 53;
constexpr std::int16_t DeviceIO = 57;            // a failure the system gives no better name for
constexpr std::int16_t DiskFull = 61;
constexpr std::int16_t InputPastEnd = 62;
constexpr std::int16_t TooManyFiles = 67;
constexpr std::int16_t DiskNotReady = 71;     // a drive without a disc
constexpr std::int16_t PermissionDenied = 70;    // the file is held by another program
constexpr std::int16_t PathFileAccess = 75;
constexpr std::int16_t PathNotFound = 76;
constexpr std::int16_t NotInCodePage = 93;       // text the system's 8-bit code page cannot hold
}  // namespace ErrorNumber

/// A failed file operation, carrying its 16-bit file-error number.
class FileError : public std::runtime_error {
public:
    FileError(std::int16_t number, const std::string& message);
    std::int16_t number() const { return m_number; }

private:
    std::int16_t m_number;
};

[[noreturn]] void ThrowFileError(std::int16_t number, const std::string& path);

}  // namespace talvero
