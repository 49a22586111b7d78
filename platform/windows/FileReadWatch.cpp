#include "platform/FileReadWatch.h"

namespace talvero {

// Windows reports no reads of a file: the watch does not wait.
FileReadWatch::FileReadWatch(const std::string&) {}

FileReadWatch::~FileReadWatch() = default;

void FileReadWatch::WaitForRead(std::int64_t, int) {}

}  // namespace talvero
