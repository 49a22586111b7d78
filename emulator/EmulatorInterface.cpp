#include "emulator/EmulatorInterface.h"

#include "emulator/EmulatorInterfaceTesting.h"
#include "emulator/EmulatorProgram.h"
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
    if (const auto id = StartEmulatorProgram(AppPath(std::string(kEmulatorFolder) + "\\" + executable)))
        LastEmulator() = *id;
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
