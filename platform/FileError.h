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
}  // namespace ErrorNumber

/// A failed file operation, carrying its 16-bit file-error number, the path it failed on and the
/// system's own words for the failure.
class FileError : public std::runtime_error {
public:
    FileError(std::int16_t number, const std::string& message, std::string path = {}, std::string reason = {});
    std::int16_t number() const { return m_number; }
    const std::string& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }
    /// The path and the reason, one per line, for a message's details.
    std::string Details() const;

private:
    std::int16_t m_number;
    std::string m_path;
    std::string m_reason;
};

/// The details of any failure for a message box: a file failure's path and reason, otherwise its
/// own text.
std::string DetailsOf(const std::exception& failure);

/// Throws the failure; without the system's reason, a short description of the number stands in.
[[noreturn]] void ThrowFileError(std::int16_t number, const std::string& path, const std::string& reason = {});

}  // namespace talvero
