#pragma once

#include <functional>
#include <string>

// Hooks through which tests watch the steps of the file services, or make one of them fail.
namespace talvero::faults {

/// The steps of every whole-file replacement (ReplaceFileContents, the cache writes), in the order
/// they run.
enum class ReplaceStep {
    Created,       // the temporary sibling exists, still empty
    PartWritten,   // a piece of the new content is in the sibling (once per piece)
    Flushed,       // the sibling is complete (and on the disk, for a file that holds the user's data)
    Renamed,       // the sibling has taken the target's name
    FolderSynced,  // the folder's new entry is on the disk (files that hold the user's data only)
};

/// Called at each step with the target path: a test records the order, or throws to make the
/// replace fail at that step. Pass nullptr to remove.
void SetReplaceHook(std::function<void(ReplaceStep step, const std::string& path)> hook);

/// Makes the kernel refuse to copy between two files (as between some file systems on older
/// kernels), so that cache copies go through the program's own buffer. Linux only.
void SetKernelCopyRefused(bool refused);

}  // namespace talvero::faults
