#pragma once

#include "settings/SettingsStore.h"

#include <QString>

namespace talvero {

/// The settings in the platform's per-user store: on Windows the registry key
/// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Quorra (section Optionen), where earlier
/// releases kept them; elsewhere the INI file talvero/talvero.conf in the user's configuration
/// folder ($XDG_CONFIG_HOME, ~/.config by default). Tests pass an INI file of their own.
class QtSettingsBackend final : public SettingsBackend {
public:
    QtSettingsBackend();
    explicit QtSettingsBackend(const QString& iniFile) : m_iniFile(iniFile) {}

    std::optional<std::string> Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& text) override;

    /// The user's settings file (empty on Windows, which uses the registry). The first time, the
    /// values of the file that earlier releases used there (Quorra.ini) are taken over; that file
    /// is left as it is.
    static QString UserSettingsFile();

private:
    QString m_iniFile;
};

}  // namespace talvero
