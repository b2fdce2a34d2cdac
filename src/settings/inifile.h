#pragma once

#include <QString>

#include <optional>

namespace tarnel {

// Reads and writes single keys of an INI file. A write changes only the line of the key it sets
// (or adds lines for it); every other byte of the file is kept as it was.
//
// Section and key names match without regard to letter case. A value is everything after the
// first '=' of its line, trimmed. Lines may end in CR LF, LF or CR; lines written anew end in
// CR LF. Text is UTF-8.
class IniFile {
public:
    IniFile() = delete;

    // The value of the first `key` inside `section`, or nothing when the file, the section or
    // the key is missing.
    static std::optional<QString> read(const QString& file, const QString& section, const QString& key);

    // Whether `value` reads back exactly as written: no line break, and no white space at
    // either end (values are trimmed when read).
    static bool canHoldValue(const QString& value);

    // Sets the first `key` inside `section`, creating the file, the section or the key when
    // missing. Returns false when the file cannot be read or replaced, or when a name or value
    // could not be read back as written (line breaks, a ']' in the section, '=' in the key).
    static bool write(const QString& file, const QString& section, const QString& key, const QString& value);
};

} // namespace tarnel
