#pragma once

#include "settings/SettingsStore.h"

#include <QString>

namespace talvero {

/// The settings in the platform's per-user store: on Windows the registry key
/// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Quorra (section Optionen), where earlier
/// releases kept them; elsewhere a per-user INI file Quorra.ini in the user's configuration
/// folder. Tests pass an INI file of their own.
class QtSettingsBackend final : public SettingsBackend {
public:
    QtSettingsBackend() = default;
    explicit QtSettingsBackend(const QString& iniFile) : m_iniFile(iniFile) {}

    std::optional<std::string> Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& text) override;

private:
    QString m_iniFile;
};

}  // namespace talvero
