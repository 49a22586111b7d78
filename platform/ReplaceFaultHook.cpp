#include "platform/ReplaceFaultHook.h"

#include "platform/Files.h"

namespace talvero {

namespace {
std::function<void(const std::string&)>& Hook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}
}  // namespace

namespace testing {
void SetReplaceFaultHook(std::function<void(const std::string& path)> hook)
{
    Hook() = std::move(hook);
}
}  // namespace testing

void RunReplaceFaultHook(const std::string& path)
{
    if (Hook())
        Hook()(path);
}

}  // namespace talvero
