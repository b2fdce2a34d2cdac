#include "settings/inifile.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace tarnel {

namespace {

// One physical line of the file as byte offsets: [begin, textEnd) is its text and
// [textEnd, end) its line end, which is empty only on an unterminated last line.
struct Line {
    qsizetype begin = 0;
    qsizetype textEnd = 0;
    qsizetype end = 0;

    bool terminated() const { return textEnd != end; }
};

QList<Line> splitLines(const QByteArray& data)
{
    QList<Line> lines;
    const qsizetype size = data.size();
    qsizetype begin = 0;
    while (begin < size) {
        qsizetype textEnd = begin;
        while (textEnd < size && data[textEnd] != '\n' && data[textEnd] != '\r')
            ++textEnd;
        qsizetype end = textEnd;
        if (end < size)
            end += (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1;
        lines.append({begin, textEnd, end});
        begin = end;
    }
    return lines;
}

enum class Kind { Other, Section, Key };

struct Entry {
    Kind kind = Kind::Other;
    QString name;
    QString value;
};

Entry parse(QByteArrayView bytes)
{
    QString text = QString::fromUtf8(bytes).trimmed();
    // A byte order mark some editors put at the start of the file is not part of the first line.
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1).trimmed();
    if (text.isEmpty() || text.startsWith(u';') || text.startsWith(u'#'))
        return {};
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close < 0)
            return {};
        return {Kind::Section, text.mid(1, close - 1).trimmed(), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {};
    QString name = text.left(equals).trimmed();
    if (name.isEmpty())
        return {};
    return {Kind::Key, std::move(name), text.mid(equals + 1).trimmed()};
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct Match {
    QList<Line> lines;
    qsizetype keyLine = -1;     // first line holding the key inside the section
    QString value;              // its value
    qsizetype lastInBlock = -1; // header or last key line of the section's first block
};

// A section may appear more than once; its keys are looked up across all its blocks in file
// order, so the first one wins on reading and is the one replaced on writing.
Match find(const QByteArray& data, const QString& section, const QString& key)
{
    Match match;
    match.lines = splitLines(data);
    bool inSection = false;
    bool inFirstBlock = false;
    for (qsizetype i = 0; i < match.lines.size(); ++i) {
        const Line& line = match.lines[i];
        const Entry entry = parse(QByteArrayView(data).sliced(line.begin, line.textEnd - line.begin));
        if (entry.kind == Kind::Section) {
            inSection = sameName(entry.name, section);
            inFirstBlock = inSection && match.lastInBlock < 0;
            if (inFirstBlock)
                match.lastInBlock = i;
        } else if (entry.kind == Kind::Key && inSection) {
            if (sameName(entry.name, key)) {
                match.keyLine = i;
                match.value = entry.value;
                break;
            }
            if (inFirstBlock)
                match.lastInBlock = i;
        }
    }
    return match;
}

std::optional<QByteArray> readBytes(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

bool writable(const QString& section, const QString& key, const QString& value)
{
    if (section.isEmpty() || key.isEmpty() || hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    if (section.contains(u']') || key.contains(u'='))
        return false;
    // Such a key line would be read as a section header or a comment.
    return !key.startsWith(u'[') && !key.startsWith(u';') && !key.startsWith(u'#');
}

} // namespace

bool IniFile::canHoldValue(const QString& value)
{
    return !hasLineBreak(value) && value == value.trimmed();
}

std::optional<QString> IniFile::read(const QString& file, const QString& section, const QString& key)
{
    const std::optional<QByteArray> data = readBytes(file);
    if (!data)
        return std::nullopt;
    const Match match = find(*data, section.trimmed(), key.trimmed());
    if (match.keyLine < 0)
        return std::nullopt;
    return match.value;
}

bool IniFile::write(const QString& file, const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (!writable(sectionName, keyName, value))
        return false;

    const bool existed = QFile::exists(file);
    QByteArray data;
    if (existed) {
        // Never replace a file whose old contents could not be read: they would be lost.
        std::optional<QByteArray> old = readBytes(file);
        if (!old)
            return false;
        data = std::move(*old);
    }

    const Match match = find(data, sectionName, keyName);
    QByteArray result = data;
    if (match.keyLine >= 0) {
        // Keep the key as spelt in the file and any spacing after '='; replace only the value.
        const Line& line = match.lines[match.keyLine];
        qsizetype valueBegin = data.indexOf('=', line.begin) + 1;
        while (valueBegin < line.textEnd && (data[valueBegin] == ' ' || data[valueBegin] == '\t'))
            ++valueBegin;
        result.replace(valueBegin, line.textEnd - valueBegin, value.toUtf8());
    } else {
        const QByteArray keyLine = keyName.toUtf8() + '=' + value.toUtf8() + "\r\n";
        QByteArray insertion;
        qsizetype at = data.size();
        if (match.lastInBlock >= 0) {
            const Line& line = match.lines[match.lastInBlock];
            at = line.end;
            if (!line.terminated())
                insertion += "\r\n";
            insertion += keyLine;
        } else {
            if (!match.lines.isEmpty() && !match.lines.last().terminated())
                insertion += "\r\n";
            insertion += '[' + sectionName.toUtf8() + "]\r\n" + keyLine;
        }
        result.insert(at, insertion);
    }

    if (existed && result == data)
        return true;

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(result) != result.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace tarnel
