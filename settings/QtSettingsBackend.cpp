#include "settings/QtSettingsBackend.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace talvero {

namespace {

std::unique_ptr<QSettings> OpenStore(const QString& iniFile)
{
    if (!iniFile.isEmpty())
        return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    // Only Windows has no file: the registry key.
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + kSettingsApplication,
        QSettings::NativeFormat);
}

// A FIFO, a device or a folder where the settings file belongs would make Qt's reader wait or
// fail: such a file counts as unreadable and is never replaced. A link to a file is followed.
bool IsOtherThanAFile(const QString& file)
{
    const QFileInfo info(file);
    return !file.isEmpty() && info.exists() && !info.isFile();
}

QString KeyOf(const std::string& key)
{
    return QString::fromLatin1(kSettingsSection) + '/' + QString::fromStdString(key);
}

// Copies the section's values from the earlier file into the new one; a failure leaves the
// defaults, as an unreadable store does. (Windows keeps its settings in the registry.)
[[maybe_unused]] void TakeOverEarlierSettings(const QString& earlierFile, const QString& file)
{
    const QSettings earlier(earlierFile, QSettings::IniFormat);
    if (earlier.status() != QSettings::NoError)
        return;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings taken(file, QSettings::IniFormat);
    const QString section = QString::fromLatin1(kSettingsSection) + '/';
    for (const QString& key : earlier.allKeys()) {
        if (key.startsWith(section))
            taken.setValue(key, earlier.value(key));
    }
    taken.sync();
}

}  // namespace

QtSettingsBackend::QtSettingsBackend() : m_iniFile(UserSettingsFile()) {}

QString QtSettingsBackend::UserSettingsFile()
{
#ifdef Q_OS_WIN
    return {};
#else
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString file = configFolder + QStringLiteral("/talvero/talvero.conf");
    const QString earlierFile =
        configFolder + '/' + QString::fromLatin1(kSettingsApplication) + QStringLiteral(".ini");
    if (!QFileInfo::exists(file) && QFileInfo(earlierFile).isFile())
        TakeOverEarlierSettings(earlierFile, file);
    return file;
#endif
}

std::optional<std::string> QtSettingsBackend::Get(const std::string& key)
{
    if (IsOtherThanAFile(m_iniFile))
        return std::nullopt;  // nothing to read there: every value takes its default
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
    if (IsOtherThanAFile(m_iniFile))
        throw SettingsError("settings cannot be written");
    // The user's configuration folder may not have Talvero's folder yet.
    if (!m_iniFile.isEmpty())
        QDir().mkpath(QFileInfo(m_iniFile).absolutePath());
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
