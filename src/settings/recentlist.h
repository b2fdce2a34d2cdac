#pragma once

#include <QStringList>

namespace tarnel {

class SettingsFile;

// The most recently opened files, kept as keys recent1..recent7 of the settings file with the
// newest first. A slot holding its own key name ("recent3" in slot 3) is empty.
class RecentList {
public:
    static constexpr int slotCount = 7;

    explicit RecentList(SettingsFile& settings);

    // The seven slots as stored; a missing key reads as SettingsFile::errorText().
    // (Not called slots(): Qt defines that word as a macro.)
    QStringList readSlots() const;

    // The key name an empty slot holds; `n` counts from 1.
    static QString placeholder(int n);
    static bool isPlaceholder(int n, const QString& caption);

    // Brings `path` to slot 1. A path already listed trades places with slot 1 and the slots in
    // between stay put; a new path pushes the others down and the oldest falls off.
    static QStringList promote(QStringList entries, const QString& path);

    // Records that `openFilePath` was opened: reads the slots, promotes the path, writes all seven
    // slots back and returns them. A path the file cannot hold (a line break in it) leaves
    // the list as it was.
    QStringList recordOpened(const QString& openFilePath);

private:
    SettingsFile& m_settings;
};

} // namespace tarnel
