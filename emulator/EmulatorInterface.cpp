#include "emulator/EmulatorInterface.h"

#include "platform/AppFolder.h"
#include "platform/Process.h"

#include <cstdint>

namespace talvero {

namespace {
std::int64_t& LastEmulator()
{
    static std::int64_t id = 0;
    return id;
}
}  // namespace

void StartEmulator(const std::string& executable)
{
    LastEmulator() = StartProcess(AppPath(std::string(kEmulatorFolder) + "\\" + executable));
}

bool EmulatorStillRunning()
{
    return LastEmulator() != 0 && ProcessIsRunning(LastEmulator());
}

namespace testing {
void ForgetStartedEmulator()
{
    LastEmulator() = 0;
}
}  // namespace testing

}  // namespace talvero
