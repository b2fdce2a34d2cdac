#pragma once

#include <QStringList>

namespace tarnel {

class SettingsFile;

// The maps (level lists or folders) opened last, newest first, as the keys
// recentMap1..recentMap7. Settings files from before maps lack them: a missing
// key is an empty slot, read without a word.
class RecentMaps {
public:
    static constexpr int slotCount = 7;

    explicit RecentMaps(SettingsFile& settings);

    // The maps listed, newest first, empty slots left out.
    QStringList read() const;
    // Brings `path` to the top (or in), the oldest falling off; returns the list.
    QStringList recordOpened(const QString& path);

private:
    SettingsFile& m_settings;
};

} // namespace tarnel
