#include "settings/settingsfile.h"

#include "settings/inifile.h"
#include "settings/recentlist.h"
#include "texts/texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tarnel {

namespace {

// Options are switches: the whole number 1 is on, any other value leaves the option off.
bool isSwitchedOn(const QString& value)
{
    bool isNumber = false;
    return value.toInt(&isNumber) == 1 && isNumber;
}

const QString fileName = QStringLiteral("tarnel.ini");
const QString section = QStringLiteral("tarnel");

// Permission bits do not tell the whole story (ACLs, read-only mounts, root), so try it.
bool canCreateFilesIn(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/tarnel-XXXXXX.probe"));
    return probe.open();
}

} // namespace

QString SettingsFile::defaultPath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (canCreateFilesIn(programFolder))
        return programFolder + u'/' + fileName;
    // Named here rather than after the application, so that the folder is the same whatever
    // name the running program has.
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tarnel");
    QDir().mkpath(configFolder);
    return configFolder + u'/' + fileName;
}

const QString& SettingsFile::errorText()
{
    return texts::settingsError;
}

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

QString SettingsFile::path() const
{
    return m_path;
}

bool SettingsFile::exists() const
{
    return QFile::exists(m_path);
}

namespace {

// Every key of the rebuilt file with its value, in the file's order.
QList<std::pair<QString, QString>> defaultSettings()
{
    QList<std::pair<QString, QString>> keys;
    for (int slot = 1; slot <= RecentList::slotCount; ++slot) {
        const QString recent = RecentList::placeholder(slot);
        keys.append({recent, recent});
    }
    keys.append({QStringLiteral("lines"), QStringLiteral("1")});
    keys.append({QStringLiteral("paste"), QStringLiteral("1")});
    keys.append({QStringLiteral("sort"), QStringLiteral("1")});
    keys.append({QStringLiteral("keepLayout"), QStringLiteral("0")});
    return keys;
}

} // namespace

std::optional<QString> SettingsFile::defaultValue(const QString& key)
{
    for (const auto& [name, value] : defaultSettings()) {
        if (name.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

QString SettingsFile::readSetting(const QString& key)
{
    const std::optional<QString> value = IniFile::read(m_path, section, key);
    // A value equal to the error text was most likely written back from an earlier failed read,
    // so it is as good as missing.
    if (value && *value != errorText())
        return *value;
    if (m_onMissingKey)
        m_onMissingKey(errorText());
    // Told once: the key gets its default, so the next read (and the next start) is clean.
    const std::optional<QString> fallback = defaultValue(key);
    if (!fallback)
        return errorText();
    writeSetting(key, *fallback);
    return *fallback;
}

void SettingsFile::writeSetting(const QString& key, const QString& value)
{
    IniFile::write(m_path, section, key, value);
}

void SettingsFile::rebuildSettings()
{
    QByteArray contents = "[tarnel]\r\n";
    for (const auto& [name, value] : defaultSettings())
        contents += name.toLatin1() + '=' + value.toLatin1() + "\r\n";

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return;
    if (out.write(contents) != contents.size()) {
        out.cancelWriting();
        return;
    }
    out.commit();
}

bool SettingsFile::readOption(const QString& key)
{
    return isSwitchedOn(readSetting(key));
}

bool SettingsFile::readAddedOption(const QString& key)
{
    const std::optional<QString> value = IniFile::read(m_path, section, key);
    return isSwitchedOn(value.value_or(defaultValue(key).value_or(QString())));
}

std::optional<QString> SettingsFile::readAddedSetting(const QString& key) const
{
    return IniFile::read(m_path, section, key);
}

void SettingsFile::setMissingKeyHandler(MissingKeyHandler handler)
{
    m_onMissingKey = std::move(handler);
}

} // namespace tarnel
