#include "settings/recentlist.h"

#include "settings/inifile.h"
#include "settings/settingsfile.h"

namespace tarnel {

RecentList::RecentList(SettingsFile& settings) : m_settings(settings) {}

QStringList RecentList::readSlots() const
{
    QStringList entries;
    entries.reserve(slotCount);
    for (int n = 1; n <= slotCount; ++n)
        entries.append(m_settings.readSetting(placeholder(n)));
    return entries;
}

QString RecentList::placeholder(int n)
{
    return QStringLiteral("recent") + QString::number(n);
}

bool RecentList::isPlaceholder(int n, const QString& caption)
{
    return caption == placeholder(n);
}

QStringList RecentList::promote(QStringList entries, const QString& path)
{
    // Callers pass seven slots; anything else is brought to that shape first.
    while (entries.size() < slotCount)
        entries.append(placeholder(int(entries.size()) + 1));
    entries.resize(slotCount);

    const qsizetype hit = entries.indexOf(path);
    if (hit >= 0) {
        entries.swapItemsAt(0, hit);
    } else {
        entries.removeLast();
        entries.prepend(path);
    }
    return entries;
}

QStringList RecentList::recordOpened(const QString& openFilePath)
{
    // A path the settings file would read back otherwise would be half stored: the list is kept.
    if (!IniFile::canHoldValue(openFilePath))
        return readSlots();
    const QStringList entries = promote(readSlots(), openFilePath);
    for (int n = 1; n <= slotCount; ++n)
        m_settings.writeSetting(placeholder(n), entries[n - 1]);
    return entries;
}

} // namespace tarnel
