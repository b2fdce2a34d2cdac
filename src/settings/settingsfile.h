#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace tarnel {

// The program's settings file, tarnel.ini, whose keys all live in the section [tarnel].
// Nothing is cached: every read goes to the file, so edits made outside the program show at once.
class SettingsFile {
public:
    using MissingKeyHandler = std::function<void(const QString& message)>;

    // tarnel.ini beside the program, or in the per-user configuration folder ("tarnel" in
    // $XDG_CONFIG_HOME, ~/.config by default) when the program's folder cannot be written to,
    // as when it is installed.
    static QString defaultPath();

    // What a read gives for a key it cannot find, and the message shown for it.
    static const QString& errorText();

    explicit SettingsFile(QString path);

    QString path() const;
    bool exists() const;

    // The value of `key`. A missing key (or one holding errorText()) is reported to the
    // missing-key handler, then written with its default value, which is returned; a key
    // without a default gives errorText().
    QString readSetting(const QString& key);

    // What the rebuilt file holds for `key`: "recentN" for the recent slots, "1" for the
    // first three options, "0" for keepLayout; nothing for a key the program does not use.
    static std::optional<QString> defaultValue(const QString& key);

    // Sets `key`, creating the file and the section when missing. Failures are not reported.
    void writeSetting(const QString& key, const QString& value);

    // Replaces the file with the default settings: seven empty recent-file slots and the
    // options lines, paste and sort switched on, keepLayout off.
    void rebuildSettings();

    // On when the option's value is the whole number 1. A missing key reaches the handler and
    // then reads as its default.
    bool readOption(const QString& key);

    // readOption for an option that settings files written before it lack: a missing key
    // reads as its default without a word and is not written.
    bool readAddedOption(const QString& key);
    // A key that settings files written before it lack: nothing when missing, without a word.
    std::optional<QString> readAddedSetting(const QString& key) const;

    // Called with errorText() whenever a read finds no value. Without one nothing is shown.
    void setMissingKeyHandler(MissingKeyHandler handler);

private:
    QString m_path;
    MissingKeyHandler m_onMissingKey;
};

} // namespace tarnel
