#include "emulator/EmulatorInterface.h"

#include "platform/AppFolder.h"
#include "platform/Process.h"

namespace talvero {

void StartEmulator(const std::string& executable)
{
    StartProcess(AppPath(std::string(kEmulatorFolder) + "\\" + executable));
}

}  // namespace talvero
