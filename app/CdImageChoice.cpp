#include "app/CdImageChoice.h"

#include "platform/Host.h"
#include "platform/cdimage/CdImage.h"
#include "settings/SettingsStore.h"

namespace talvero {

std::string InsertedCdImage()
{
    try {
        return Settings().Read(kSettingCdImage, std::string());
    } catch (const std::exception&) {
        return {};
    }
}

bool InsertCdImage(const std::string& path)
{
    try {
        CdImage::Open(path);
    } catch (const CdImageError& error) {
        ShowMessage(error.what(), MessageIcon::Exclamation);
        return false;
    }
    try {
        Settings().Write(kSettingCdImage, path);
    } catch (const std::exception&) {
        ShowMessage("The CD image \"" + path + "\" could not be remembered in the settings.",
                    MessageIcon::Critical);
        return false;
    }
    return true;
}

void EjectCdImage()
{
    try {
        Settings().Write(kSettingCdImage, std::string());
    } catch (const std::exception&) {
        // Nothing to do: the setting stays as it was, and so does the menu.
    }
}

}  // namespace talvero
