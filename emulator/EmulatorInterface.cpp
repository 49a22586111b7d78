#include "emulator/EmulatorInterface.h"

#include "emulator/EmulatorInterfaceTesting.h"
#include "emulator/EmulatorProgram.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Process.h"
#include "platform/SystemText.h"

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

std::optional<std::string> AppFolderUnusableByEmulator()
{
    try {
        ToSystemCodePage(AppFolder());
        return std::nullopt;
    } catch (const FileError& error) {
        return "The name of Talvero's folder cannot be given to the emulator, so no game can be "
               "started from it:\n" +
               AppFolder() + "\n" + error.reason() +
               " The emulator reads folder names in that code page only.\n"
               "Move the Talvero folder to a folder whose name it can hold, for example C:\\Talvero.";
    }
}

namespace testing {
void ForgetStartedEmulator()
{
    LastEmulator() = 0;
}
}  // namespace testing

}  // namespace talvero
