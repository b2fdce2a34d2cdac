#include "unifieddiff.h"

#include "map/linewalk.h"

#include <algorithm>

namespace tarnel::cli {

namespace {

constexpr char noLineEnd[] = "\\ No newline at end of file\n";

// The end of each changed line as the diff writes it: "\r\n" keeps the CR
// that is part of the line to patch, "\n" a plain end; none marks a last
// line without an end.
QList<QByteArray> lineEndsOf(const QByteArray& bytes, const QList<LineChange>& changes)
{
    QList<QByteArray> ends;
    ends.reserve(changes.size());
    qsizetype next = 0;
    const char* const end = bytes.constData() + bytes.size();
    forEachLine(bytes, [&](QByteArrayView line, qint64 number) {
        if (next >= changes.size() || changes[next].line != number)
            return;
        const char* after = line.data() + line.size();
        ends.append(after == end                                            ? QByteArray()
                    : *after == '\r' && after + 1 < end && after[1] == '\n' ? QByteArrayLiteral("\r\n")
                                                                            : QByteArrayLiteral("\n"));
        ++next;
    });
    while (ends.size() < changes.size()) // a line past the end: not in these bytes
        ends.append(QByteArrayLiteral("\n"));
    return ends;
}

void appendLine(QByteArray& out, char mark, const QByteArray& text, const QByteArray& end)
{
    out += mark;
    out += text;
    out += end.isEmpty() ? QByteArray("\n") + noLineEnd : end;
}

} // namespace

QByteArray diffHeaderPath(const QByteArray& path)
{
    const bool plain = std::all_of(path.cbegin(), path.cend(),
                                   [](char c) { return c > ' ' && c < 0x7f && c != '"' && c != '\\'; });
    if (plain)
        return path;
    QByteArray quoted = "\"";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            quoted += QByteArray("\\") + c;
        else if (c == '\t')
            quoted += "\\t";
        else if (c == '\n')
            quoted += "\\n";
        else if (byte < ' ' || byte >= 0x7f)
            quoted += '\\' + QByteArray::number(byte, 8).rightJustified(3, '0');
        else
            quoted += c;
    }
    return quoted + '"';
}

QByteArray unifiedDiff(const QByteArray& path, const QByteArray& bytes, const QList<LineChange>& changes)
{
    QByteArray out;
    if (changes.isEmpty())
        return out;
    out += "--- " + diffHeaderPath("a/" + path) + '\n';
    out += "+++ " + diffHeaderPath("b/" + path) + '\n';
    const QList<QByteArray> ends = lineEndsOf(bytes, changes);
    for (qsizetype at = 0; at < changes.size(); ++at) {
        const QByteArray line = QByteArray::number(changes[at].line);
        out += "@@ -" + line + ",1 +" + line + ",1 @@\n";
        appendLine(out, '-', changes[at].before, ends[at]);
        appendLine(out, '+', changes[at].after, ends[at]);
    }
    return out;
}

} // namespace tarnel::cli
