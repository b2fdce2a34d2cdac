#include "settings/recentmaps.h"

#include "settings/inifile.h"
#include "settings/settingsfile.h"

namespace tarnel {

namespace {

QString slotKey(int n)
{
    return QStringLiteral("recentMap") + QString::number(n);
}

} // namespace

RecentMaps::RecentMaps(SettingsFile& settings) : m_settings(settings) {}

QStringList RecentMaps::read() const
{
    QStringList maps;
    for (int n = 1; n <= slotCount; ++n) {
        const QString path = m_settings.readAddedSetting(slotKey(n)).value_or(QString());
        if (!path.isEmpty() && !maps.contains(path))
            maps.append(path);
    }
    return maps;
}

QStringList RecentMaps::recordOpened(const QString& path)
{
    QStringList maps = read();
    if (!IniFile::canHoldValue(path))
        return maps;
    maps.removeAll(path);
    maps.prepend(path);
    while (maps.size() > slotCount)
        maps.removeLast();
    for (int n = 1; n <= slotCount; ++n)
        m_settings.writeSetting(slotKey(n), maps.value(n - 1));
    return maps;
}

} // namespace tarnel
