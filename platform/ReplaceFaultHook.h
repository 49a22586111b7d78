#pragma once

#include "platform/FaultHooks.h"
#include "platform/Files.h"

#include <string>

namespace talvero {

/// Runs the hook a test installed through faults::SetReplaceHook, if any.
void RunReplaceHook(faults::ReplaceStep step, const std::string& path);

/// Whether a test made the kernel's file-to-file copy refuse (faults::SetKernelCopyRefused).
bool KernelCopyRefused();

/// What every cache write does after each piece: the test hook's PartWritten step, then the
/// caller's progress (which may throw to stop the write).
void PieceDone(const std::string& path, std::uint64_t written, const PieceWritten& onPiece);

}  // namespace talvero
