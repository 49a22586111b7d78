#include "emulator/EmulatorInterface.h"

#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterfaceTesting.h"
#include "emulator/EmulatorProgram.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/FileReadWatch.h"
#include "platform/Process.h"
#include "platform/SystemText.h"

#include <cstdint>
#include <map>
#include <memory>

namespace talvero {

namespace {

// How long a start waits at most for its emulator to read the configuration file.
constexpr int kConfigurationReadMilliseconds = 3000;

// The emulators started by this program, by process id, with the cache folder each one uses.
std::map<std::int64_t, std::string>& StartedEmulators()
{
    static std::map<std::int64_t, std::string> started;
    return started;
}

}  // namespace

bool StartEmulator(const std::string& executable, const std::string& cacheFolder, ConfigurationTurn* turn)
{
    auto configurationRead = std::make_shared<FileReadWatch>(AppPath(kConfigFile));
    const auto id = StartEmulatorProgram(AppPath(std::string(kEmulatorFolder) + "\\" + executable));
    if (!id)
        return false;
    StartedEmulators()[*id] = cacheFolder;
    if (turn)
        turn->HoldWhile([configurationRead, id = *id] { configurationRead->WaitForRead(id, kConfigurationReadMilliseconds); });
    return true;
}

bool EmulatorStillRunning(const std::string& cacheFolder)
{
    auto& started = StartedEmulators();
    bool running = false;
    for (auto it = started.begin(); it != started.end();) {
        if (!ProcessIsRunning(it->first)) {
            it = started.erase(it);
            continue;
        }
        running = running || it->second == cacheFolder;
        ++it;
    }
    return running;
}

bool AnyEmulatorStillRunning()
{
    for (const auto& [id, cache] : StartedEmulators()) {
        if (ProcessIsRunning(id))
            return true;
    }
    return false;
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
    StartedEmulators().clear();
}
}  // namespace testing

}  // namespace talvero
