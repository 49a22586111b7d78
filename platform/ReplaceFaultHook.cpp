#include "platform/ReplaceFaultHook.h"

namespace talvero {

namespace {
std::function<void(faults::ReplaceStep, const std::string&)>& Hook()
{
    static std::function<void(faults::ReplaceStep, const std::string&)> hook;
    return hook;
}
}  // namespace

namespace faults {
void SetReplaceHook(std::function<void(ReplaceStep step, const std::string& path)> hook)
{
    Hook() = std::move(hook);
}
}  // namespace faults

void RunReplaceHook(faults::ReplaceStep step, const std::string& path)
{
    if (Hook())
        Hook()(step, path);
}

void PieceDone(const std::string& path, std::uint64_t written, const PieceWritten& onPiece)
{
    RunReplaceHook(faults::ReplaceStep::PartWritten, path);
    if (onPiece)
        onPiece(written);
}

}  // namespace talvero
