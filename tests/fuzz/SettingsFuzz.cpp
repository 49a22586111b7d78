// Stored settings of any text read into the options dialog's fields: nothing throws, a drive has
// at most two characters, and the controller is one of the three or none.
#include "config/OptionsLogic.h"
#include "settings/SettingsStore.h"
#include "tests/fuzz/FuzzSupport.h"

#include <memory>

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = fuzz::MakeDemoAppFolder();
    const char* keys[] = {SettingKey::Frameskip, SettingKey::JITComp,   SettingKey::Drive, SettingKey::Port1,
                          SettingKey::ROMfile,   SettingKey::Scanlines, SettingKey::SndEmu};
    const auto values = fuzz::Pieces(data, size, std::size(keys));
    auto backend = std::make_unique<MemorySettingsBackend>();
    for (std::size_t i = 0; i < std::size(keys); ++i)
        backend->Set(keys[i], values[i]);
    SetSettingsBackend(std::move(backend));
    for (const std::string& value : values) {
        ParseBoolean(value);
        ParseInteger(value);
        fuzz::Require(NormaliseDrive(value).size() <= 2, "a drive is at most two characters");
    }
    OptionsState state;
    LoadOptions(state);
    fuzz::Require(state.port >= -1 && state.port <= 2, "a controller index is one of the three or none");
    return 0;
}
