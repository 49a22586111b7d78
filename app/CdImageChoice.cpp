#include "app/CdImageChoice.h"

#include "platform/Host.h"
#include "platform/PathText.h"
#include "platform/cdimage/CdImage.h"
#include "settings/SettingsStore.h"

namespace talvero {

std::string InsertedCdImage()
{
    try {
        return Settings().ReadText(SettingKey::CDImage, "");
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
        Settings().Write(SettingKey::CDImage, path);
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
        Settings().Write(SettingKey::CDImage, std::string());
    } catch (const std::exception&) {
        // Nothing to do: the setting stays as it was, and so does the menu.
    }
}

std::string LookedForInImageNote(const std::string& image, const std::string& drive)
{
    return "The game was looked for in the inserted CD image " + LastPartOf(image) + " (" + image +
           "), not in drive " + drive + ". Extras > Eject CD image uses the drive again.";
}

}  // namespace talvero
