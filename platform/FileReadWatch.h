#pragma once

#include <cstdint>
#include <string>

namespace talvero {

/// Tells when another program has read a file to its end and closed it: made before that
/// program starts, it waits until the file was read, the program ended, or the time is up. Where
/// the system cannot tell reads apart, it does not wait.
class FileReadWatch {
public:
    explicit FileReadWatch(const std::string& path);
    ~FileReadWatch();
    FileReadWatch(const FileReadWatch&) = delete;
    FileReadWatch& operator=(const FileReadWatch&) = delete;

    /// Waits for a read of the file since the watch was made, at most `milliseconds`, and no
    /// longer than the process `reader` runs.
    void WaitForRead(std::int64_t reader, int milliseconds);

private:
    int m_handle = -1;
};

}  // namespace talvero
