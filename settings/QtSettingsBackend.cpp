#include "settings/QtSettingsBackend.h"

#include <QSettings>

#include <memory>

namespace talvero {

namespace {

std::unique_ptr<QSettings> OpenStore(const QString& iniFile)
{
    if (!iniFile.isEmpty())
        return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + kSettingsApplication,
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kSettingsApplication);
#endif
}

QString KeyOf(const std::string& key)
{
    return QString::fromLatin1(kSettingsSection) + '/' + QString::fromStdString(key);
}

}  // namespace

std::optional<std::string> QtSettingsBackend::Get(const std::string& key)
{
    // A fresh QSettings each time, so that another running copy's writes are seen on next load.
    const auto store = OpenStore(m_iniFile);
    // A store we may not write is still read; only an unreadable format counts as a failure.
    if (store->status() == QSettings::FormatError)
        throw SettingsError("settings cannot be read");
    if (!store->contains(KeyOf(key)))
        return std::nullopt;
    return store->value(KeyOf(key)).toString().toStdString();
}

void QtSettingsBackend::Set(const std::string& key, const std::string& text)
{
    const auto store = OpenStore(m_iniFile);
    // Refuse before changing anything: a value set on a store that cannot be saved would linger
    // in memory and be saved later as if it had been written now.
    if (!store->isWritable())
        throw SettingsError("settings cannot be written");
    store->setValue(KeyOf(key), QString::fromStdString(text));
    store->sync();
    if (store->status() != QSettings::NoError)
        throw SettingsError("settings cannot be written");
}

}  // namespace talvero
