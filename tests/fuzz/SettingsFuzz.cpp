// Stored settings of any text, read into the options dialog's fields and by the store's parsers.
#include "config/OptionsLogic.h"
#include "settings/SettingsStore.h"

#include <memory>
#include <sstream>

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Input: the stored values, NUL between them.
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    auto backend = std::make_unique<MemorySettingsBackend>();
    for (const char* key : {SettingKey::Frameskip, SettingKey::JITComp, SettingKey::Drive, SettingKey::Port1,
                            SettingKey::ROMfile, SettingKey::Scanlines, SettingKey::SndEmu}) {
        std::string value;
        std::getline(input, value, '\0');
        backend->Set(key, value);
        NormaliseDrive(value);
        ParseBoolean(value);
    }
    SetSettingsBackend(std::move(backend));
    OptionsState state;
    LoadOptions(state);
    return 0;
}
