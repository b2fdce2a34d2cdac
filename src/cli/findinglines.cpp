#include "findinglines.h"

#include "document/filenames.h"
#include "map/gamemap.h"
#include "mapreading.h"
#include "standardoutput.h"
#include "texts/maptexts.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <type_traits>

namespace tarnel::cli {

namespace {

constexpr qsizetype blockSize = qsizetype(1) << 18;
// The most a number takes: a 64-bit one's sign and 19 digits.
constexpr qsizetype numberSize = 20;

char* put(char* at, const QByteArray& bytes)
{
    std::memcpy(at, bytes.constData(), size_t(bytes.size()));
    return at + bytes.size();
}

char* put(char* at, char byte)
{
    *at = byte;
    return at + 1;
}

char* putNumber(char* at, qint64 number)
{
    return std::to_chars(at, at + numberSize, number).ptr;
}

} // namespace

FindingLines::FindingLines(const ReadMap& read, const FindingMessages& messages, bool writeAsTheyCome)
    : m_read(read), m_messages(messages), m_write(writeAsTheyCome),
      m_paths(size_t(read.map().sources().files.size())), m_block(blockSize, Qt::Uninitialized),
      m_error(fileNameBytes(texts::mapError)), m_warning(fileNameBytes(texts::mapWarning)),
      m_beforeId(fileNameBytes(messages.definedAgainText().before())),
      m_betweenIdAndPlace(fileNameBytes(messages.definedAgainText().between())),
      m_afterPlace(fileNameBytes(messages.definedAgainText().after())),
      m_beforePath(fileNameBytes(messages.placeText().before())),
      m_betweenPathAndLine(fileNameBytes(messages.placeText().between())),
      m_afterLine(fileNameBytes(messages.placeText().after())),
      m_beforeLimitId(fileNameBytes(messages.beforeLimitId())),
      m_afterLimitId(fileNameBytes(messages.afterLimitId()))
{
}

void FindingLines::take(const MapFinding& finding)
{
    count(finding.severity);
    MapFinding shown = finding;
    shown.path = m_read.shown(finding.path);
    shown.message = m_read.shown(finding.message);
    const QByteArray line = fileNameBytes(compilerStyle(shown));
    char* at = room(line.size() + 1);
    at = put(at, line);
    put(at, '\n');
    m_used += line.size() + 1;
}

void FindingLines::definedAgain(Severity severity, qint32 file, qint64 line, qint64 id, qint32 firstFile,
                                qint64 firstLine)
{
    const ShownPath& first = pathOf(firstFile);
    if (!first.plain || !m_messages.definedAgainText().fillsPlainly({})) {
        const QList<MapFile>& files = m_read.map().sources().files;
        take(MapFinding{severity, files[file].shownPath, line,
                        m_messages.definedAgain(id, files[firstFile].shownPath, firstLine), file});
        return;
    }
    const QByteArray& path = pathOf(file).bytes;
    count(severity);
    const qsizetype size = path.size() + m_warning.size() + m_error.size() + m_beforeId.size() +
                           m_betweenIdAndPlace.size() + m_afterPlace.size() + m_beforePath.size() +
                           first.bytes.size() + m_betweenPathAndLine.size() + m_afterLine.size() + 3 * numberSize +
                           8;
    char* const start = room(size);
    char* at = putPlace(start, path, line, severity);
    at = put(at, m_beforeId);
    at = putNumber(at, id);
    at = put(at, m_betweenIdAndPlace);
    at = put(at, m_beforePath);
    at = put(at, first.bytes);
    at = put(at, m_betweenPathAndLine);
    at = putNumber(at, firstLine);
    at = put(at, m_afterLine);
    at = put(at, m_afterPlace);
    at = put(at, '\n');
    m_used += at - start;
}

void FindingLines::atLimit(qint32 file, qint64 line, qint64 id)
{
    const QByteArray& path = pathOf(file).bytes;
    count(Severity::Warning);
    char* const start =
        room(path.size() + m_warning.size() + m_beforeLimitId.size() + m_afterLimitId.size() + 2 * numberSize + 8);
    char* at = putPlace(start, path, line, Severity::Warning);
    at = put(at, m_beforeLimitId);
    at = putNumber(at, id);
    at = put(at, m_afterLimitId);
    at = put(at, '\n');
    m_used += at - start;
}

char* FindingLines::putPlace(char* at, const QByteArray& path, qint64 line, Severity severity) const
{
    tarnel::putPlace(path, line, severity == Severity::Error ? m_error : m_warning, [&at](const auto& piece) {
        if constexpr (std::is_same_v<std::decay_t<decltype(piece)>, qint64>)
            at = putNumber(at, piece);
        else
            at = put(at, piece);
    });
    return at;
}

const FindingLines::ShownPath& FindingLines::pathOf(qint32 file)
{
    ShownPath& path = m_paths[size_t(file)];
    if (!path.made) {
        const QString& shownPath = m_read.map().sources().files[file].shownPath;
        path.bytes = fileNameBytes(m_read.shown(shownPath));
        path.plain = m_messages.placeText().fillsPlainly(shownPath);
        path.made = true;
    }
    return path;
}

char* FindingLines::room(qsizetype size)
{
    if (m_used + size > m_block.size()) {
        flush();
        // Kept lines stay in the block, which grows: a part holds a megabyte or two.
        if (m_used + size > m_block.size())
            m_block.resize(std::max(m_used + size, 2 * m_block.size()));
    }
    return m_block.data() + m_used;
}

void FindingLines::flush()
{
    if (!m_write)
        return;
    writeOut(QByteArrayView(m_block.constData(), m_used));
    m_used = 0;
}

void FindingLines::append(FindingLines&& later)
{
    const QByteArrayView lines(later.m_block.constData(), later.m_used);
    if (m_write) {
        flush();
        writeOut(lines);
    } else {
        std::memcpy(room(lines.size()), lines.data(), size_t(lines.size()));
        m_used += lines.size();
    }
    m_errors += later.m_errors;
    m_warnings += later.m_warnings;
}

} // namespace tarnel::cli
