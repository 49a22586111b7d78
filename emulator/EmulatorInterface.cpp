#include "emulator/EmulatorInterface.h"

#include "emulator/EmulatorProgram.h"
#include "platform/AppFolder.h"

namespace talvero {

void StartEmulator(const std::string& executable)
{
    StartEmulatorProgram(AppPath(std::string(kEmulatorFolder) + "\\" + executable));
}

}  // namespace talvero
