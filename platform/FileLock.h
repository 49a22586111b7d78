#pragma once

#include <cstdint>
#include <string>

namespace talvero {

/// An exclusive lock that two processes use to take turns over a file: it is held on a lock file
/// (created when missing, never removed) from construction until destruction, and a second
/// process asking for the same lock file waits until the first lets go. A crashed holder lets go
/// too. Creating the lock file fails with the file-error numbers (76 for a missing folder).
class FileLock {
public:
    explicit FileLock(const std::string& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    std::intptr_t m_handle;
};

}  // namespace talvero
