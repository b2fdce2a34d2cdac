#pragma once

#include "map/findingmessages.h"
#include "map/findingreceiver.h"

#include <QByteArray>

#include <vector>

namespace tarnel::cli {

class ReadMap;

// Findings as check writes them ("PATH:LINE: error: MESSAGE"), and their
// count: written a block at a time as they come, or kept in one growing block,
// for a part of a big file worked out beside another. The frequent ones are put
// together as bytes from their parts (each file's path converted once,
// numbers written in place); the others are converted as they come.
class FindingLines final : public FindingReceiver {
public:
    FindingLines(const ReadMap& read, const FindingMessages& messages, bool writeAsTheyCome);

    const FindingMessages& messages() const override { return m_messages; }
    void take(const MapFinding& finding) override;
    void definedAgain(Severity severity, qint32 file, qint64 line, qint64 id, qint32 firstFile,
                      qint64 firstLine) override;
    void atLimit(qint32 file, qint64 line, qint64 id) override;

    // Writes the lines gathered so far, unless they are kept.
    void flush();
    // `later`'s findings after these.
    void append(FindingLines&& later);
    qsizetype errors() const { return m_errors; }
    qsizetype warnings() const { return m_warnings; }

private:
    // A file's path as the output shows it.
    struct ShownPath {
        QByteArray bytes;
        bool plain = false; // no '%' that would make the message of a place other than its pieces
        bool made = false;
    };
    const ShownPath& pathOf(qint32 file);
    void count(Severity severity) { (severity == Severity::Error ? m_errors : m_warnings) += 1; }
    // Room for `size` more bytes at the end of the block; returns where they go.
    char* room(qsizetype size);
    // "PATH:LINE: SEVERITY: " of a finding at `line` of `file`, as compilerStyle writes it.
    char* putPlace(char* at, const QByteArray& path, qint64 line, Severity severity) const;

    const ReadMap& m_read;
    const FindingMessages& m_messages;
    bool m_write;
    std::vector<ShownPath> m_paths;
    QByteArray m_block; // its first m_used bytes are lines, all of them when they are kept
    qsizetype m_used = 0;
    qsizetype m_errors = 0;
    qsizetype m_warnings = 0;
    // The fixed pieces of the messages, as bytes.
    QByteArray m_error;
    QByteArray m_warning;
    QByteArray m_beforeId;
    QByteArray m_betweenIdAndPlace;
    QByteArray m_afterPlace;
    QByteArray m_beforePath;
    QByteArray m_betweenPathAndLine;
    QByteArray m_afterLine;
    QByteArray m_beforeLimitId;
    QByteArray m_afterLimitId;
};

} // namespace tarnel::cli
