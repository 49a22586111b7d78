#pragma once

#include <functional>
#include <string>

// Hooks through which tests watch the steps of the file services, or make one of them fail.
namespace talvero::faults {

/// The steps of ReplaceFileContents, in the order they run.
enum class ReplaceStep {
    PartWritten,   // the first piece of the new content is in the temporary sibling
    Flushed,       // the sibling is complete and on the disk
    Renamed,       // the sibling has taken the target's name
    FolderSynced,  // the folder's new entry is on the disk
};

/// Called at each step with the target path: a test records the order, or throws to make the
/// replace fail at that step. Pass nullptr to remove.
void SetReplaceHook(std::function<void(ReplaceStep step, const std::string& path)> hook);

}  // namespace talvero::faults
