#pragma once

#include <cstdint>
#include <string>

namespace talvero {

/// What the installer tells while it copies a game's files into its cache, and how it learns
/// that the user wants to stop. The windows show it; without one the installer simply works.
class InstallProgress {
public:
    virtual ~InstallProgress() = default;
    /// The game, the file being copied (as its data file names it), and the bytes done of all the
    /// bytes to copy; files left as they are count as done.
    virtual void Report(const std::string& title, const std::string& file, std::uint64_t done,
                        std::uint64_t total) = 0;
    /// Whether the user asked to stop. Asked between files and between the pieces of a file; the
    /// file being copied then stays as it was before.
    virtual bool Cancelled() = 0;
};

}  // namespace talvero
