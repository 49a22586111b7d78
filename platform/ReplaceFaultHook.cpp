#include "platform/ReplaceFaultHook.h"

namespace talvero {

namespace {
std::function<void(faults::ReplaceStep, const std::string&)>& Hook()
{
    static std::function<void(faults::ReplaceStep, const std::string&)> hook;
    return hook;
}

bool& KernelCopyRefusedFlag()
{
    static bool refused = false;
    return refused;
}
}  // namespace

namespace faults {
void SetReplaceHook(std::function<void(ReplaceStep step, const std::string& path)> hook)
{
    Hook() = std::move(hook);
}

void SetKernelCopyRefused(bool refused)
{
    KernelCopyRefusedFlag() = refused;
}
}  // namespace faults

void RunReplaceHook(faults::ReplaceStep step, const std::string& path)
{
    if (Hook())
        Hook()(step, path);
}

bool KernelCopyRefused()
{
    return KernelCopyRefusedFlag();
}

void PieceDone(const std::string& path, std::uint64_t written, const PieceWritten& onPiece)
{
    RunReplaceHook(faults::ReplaceStep::PartWritten, path);
    if (onPiece)
        onPiece(written);
}

}  // namespace talvero
