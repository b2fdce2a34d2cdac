#include "document/keptlayoutwriter.h"

#include "document/idedocument.h"
#include "document/idewriter.h"
#include "document/keptpathlines.h"
#include "document/linediff.h"

#include <QHash>
#include <QSet>

#include <bit>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarnel {

QByteArrayView firstLineEnd(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return "\n";
        if (bytes[i] == '\r')
            return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? QByteArrayView("\r\n") : QByteArrayView("\r");
    }
    return "\r\n";
}

namespace {

using Sink = std::function<void(QByteArrayView)>;

// Where a row is: its table and position, packed into one number (0: nowhere).
quint32 packPlace(LineKind kind, qsizetype row)
{
    return (quint32(row + 1) << 3) | quint32(kind);
}
LineKind kindOf(quint32 place)
{
    return LineKind(place & 7);
}
qsizetype rowOf(quint32 place)
{
    return qsizetype(place >> 3) - 1;
}

// The first CR or LF from `p` on, or `end`: sixteen bytes at a time.
const char* findLineBreak(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (hits)
            return p + std::countr_zero(unsigned(hits));
    }
#endif
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

constexpr std::array<QByteArrayView, FileLayout::sectionCount> sectionKeywords = {"objs", "tobj", "2dfx"};

class KeptLayoutWriter {
    using NewRow = std::pair<RowId, quint32>; // identity and place
public:
    KeptLayoutWriter(const IdeDocument& document, const Sink& out)
        : m_document(document), m_layout(document.fileLayout()), m_out(out),
          m_newLineEnd(firstLineEnd(m_layout.bytes)), m_pathChanged(document.pathText() != m_layout.pathText)
    {
        placeRows();
        if (m_pathChanged && !m_layout.pathText.isEmpty())
            m_pathLines = placePathLines(m_layout.pathText, document.pathText());
    }

    void write()
    {
        const QByteArray& bytes = m_layout.bytes;
        const char* const end = bytes.constData() + bytes.size();
        const char* p = bytes.constData();
        keep(p, p + m_layout.bomSize);
        m_openLine = false;
        p += m_layout.bomSize;
        for (qsizetype line = 1; line <= m_layout.lineCount; ++line) {
            // A row still pointing at its line tells where the line's text ends.
            const quint32 place = m_lineRows[size_t(line)];
            const QByteArrayView unedited =
                place ? m_document.table(kindOf(place)).rows().fileBytes(rowOf(place)) : QByteArrayView();
            const char* textEnd = p + unedited.size();
            if (unedited.data() != p || (textEnd != end && *textEnd != '\r' && *textEnd != '\n'))
                textEnd = findLineBreak(p, end);
            const char* next = textEnd == end                                                  ? end
                               : (*textEnd == '\r' && textEnd + 1 < end && textEnd[1] == '\n') ? textEnd + 2
                                                                                               : textEnd + 1;
            beforeLine(line);
            writeLine(line, p, textEnd, next);
            p = next;
        }
        atEndOfFile();
        flush();
    }

private:
    // Where every row is, by its identity: the file's rows by line, the rows
    // made later in a list of their own; and after which row or line each of
    // those goes.
    void placeRows()
    {
        const RowIdSource& ids = m_document.rowIds();
        const RowId firstFresh = ids.firstFresh();
        m_lineRows.assign(size_t(m_layout.lineCount + 1), 0);
        std::vector<std::pair<RowId, quint32>> fresh;
        for (LineKind kind : allLineKinds) {
            const RowStore& rows = m_document.table(kind).rows();
            for (qsizetype row = 0; row < rows.size(); ++row) {
                const RowId id = rows.id(row);
                if (id >= 1 && qsizetype(id) <= m_layout.lineCount && id < firstFresh)
                    m_lineRows[id] = packPlace(kind, row);
                else
                    fresh.emplace_back(id, packPlace(kind, row));
            }
        }
        if (fresh.empty())
            return;
        // In the order the rows were made; a copy goes after its source, or
        // after the source's source when that one is gone.
        std::sort(fresh.begin(), fresh.end());
        QSet<RowId> present;
        for (const auto& [id, place] : fresh)
            present.insert(id);
        for (const auto& row : fresh) {
            RowId source = ids.copiedFrom(row.first);
            while (source >= firstFresh && !present.contains(source))
                source = ids.copiedFrom(source);
            if (source != 0)
                m_followers[source].append(row);
            else
                m_added[FileLayout::sectionOf(kindOf(row.second))].append(row);
        }
    }

    // Lines the file holds as they are go out as runs of its bytes.
    void keep(const char* from, const char* to)
    {
        if (from == to)
            return;
        if (from != m_runEnd) {
            flush();
            m_runStart = from;
        }
        m_runEnd = to;
        m_openLine = to[-1] != '\n' && to[-1] != '\r';
        // Handed on in parts, so that writing and the walk over the lines overlap.
        if (m_runEnd - m_runStart >= runPart)
            flush();
    }
    void flush()
    {
        if (m_runStart != m_runEnd)
            m_out(QByteArrayView(m_runStart, m_runEnd - m_runStart));
        m_runStart = m_runEnd = nullptr;
    }
    // A line written anew starts on a line of its own, even after a last line without an end.
    void startNewLine()
    {
        flush();
        if (m_openLine)
            m_out(m_newLineEnd);
        m_openLine = false;
    }
    void writeRow(quint32 place, QByteArrayView ending)
    {
        m_document.table(kindOf(place)).rows().writeJoined(rowOf(place), m_out);
        m_out(ending);
        m_openLine = ending.isEmpty();
    }
    void writeNewRow(quint32 place)
    {
        startNewLine();
        writeRow(place, m_newLineEnd);
    }
    void writeNewLine(QByteArrayView text)
    {
        startNewLine();
        m_out(text);
        m_out(m_newLineEnd);
    }

    // The rows made after the load that go after `id` (a line or a row made
    // later), each followed by its own copies, in the order they were made.
    void writeFollowers(RowId id)
    {
        const auto first = m_followers.constFind(id);
        if (first == m_followers.cend())
            return;
        std::vector<std::pair<const QList<NewRow>*, qsizetype>> pending{{&*first, 0}};
        while (!pending.empty()) {
            auto& [list, next] = pending.back();
            if (next == list->size()) {
                pending.pop_back();
                continue;
            }
            const NewRow row = (*list)[next++];
            writeNewRow(row.second);
            if (const auto more = m_followers.constFind(row.first); more != m_followers.cend())
                pending.emplace_back(&*more, 0);
        }
    }

    void writeAdded(FileLayout::Section section)
    {
        for (const NewRow& row : m_added[section]) {
            writeNewRow(row.second);
            writeFollowers(row.first);
        }
        m_added[section].clear();
    }

    // A paths text where the file had no path line.
    void writePathText()
    {
        if (m_pathWritten)
            return;
        m_pathWritten = true;
        for (QByteArrayView line : linesOfText(m_document.pathText()))
            writeNewLine(line);
    }

    void writeNewPathLines(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i)
            writeNewLine(m_pathLines.lines[i]);
    }

    // The file's next path line of an edited paths text: kept, or replaced
    // by the lines that took its place, each with its line end.
    void writePathLine(const char* begin, const char* textEnd, const char* next)
    {
        const qsizetype index = m_pathIndex++;
        if (index == 0)
            writeNewPathLines(0, m_pathLines.leading);
        const KeptPathLines::At& at = m_pathLines.at[size_t(index)];
        if (at.kept) {
            keep(begin, next);
            writeNewPathLines(at.from, at.to);
            return;
        }
        const QByteArrayView ending(textEnd, next - textEnd);
        for (qsizetype i = at.from; i < at.to; ++i) {
            startNewLine();
            m_out(m_pathLines.lines[i]);
            m_out(ending);
            m_openLine = ending.isEmpty();
        }
    }

    // Added rows go before the `end` of the last section of their keyword; a
    // paths text before the first path section's `end` when the file had no path line.
    void beforeLine(qsizetype line)
    {
        for (int section = 0; section < FileLayout::sectionCount; ++section) {
            if (m_layout.lastSectionEnd[size_t(section)] == line)
                writeAdded(FileLayout::Section(section));
        }
        if (m_pathChanged && m_layout.firstPathEnd == line && m_layout.pathText.isEmpty())
            writePathText();
    }

    void writeLine(qsizetype line, const char* begin, const char* textEnd, const char* next)
    {
        switch (m_layout.role(line)) {
        case FileLayout::Role::Kept: keep(begin, next); return;
        case FileLayout::Role::Path:
            if (!m_pathChanged)
                keep(begin, next);
            else
                writePathLine(begin, textEnd, next);
            return;
        case FileLayout::Role::Row:
            if (const quint32 place = m_lineRows[size_t(line)]) {
                const RowStore& rows = m_document.table(kindOf(place)).rows();
                if (rows.readsAs(rowOf(place), QByteArrayView(begin, textEnd - begin))) { // fast for rows unedited
                    keep(begin, next);
                } else {
                    flush();
                    writeRow(place, QByteArrayView(textEnd, next - textEnd));
                }
            }
            writeFollowers(RowId(line));
            return;
        }
    }

    // A new section at the end first closes the section the file ends in:
    // its keyword line would otherwise be read as a line of that section.
    void startNewSection(QByteArrayView keyword)
    {
        if (m_layout.endsInsideSection && !m_lastSectionClosed)
            writeNewLine("end");
        m_lastSectionClosed = true;
        writeNewLine(keyword);
    }

    void atEndOfFile()
    {
        beforeLine(m_layout.lineCount + 1);
        // Kinds no section of the file holds get one of their own at the end.
        for (int section = 0; section < FileLayout::sectionCount; ++section) {
            if (section == FileLayout::Effects && m_pathChanged && m_layout.firstPathStart == 0 &&
                !m_document.pathText().isEmpty()) {
                startNewSection("path");
                writePathText();
                writeNewLine("end");
            }
            if (m_added[size_t(section)].isEmpty())
                continue;
            startNewSection(sectionKeywords[size_t(section)]);
            writeAdded(FileLayout::Section(section));
            writeNewLine("end");
        }
    }

    static constexpr qsizetype runPart = qsizetype(4) << 20;

    const IdeDocument& m_document;
    const FileLayout& m_layout;
    const Sink& m_out;
    const QByteArrayView m_newLineEnd;
    const bool m_pathChanged;
    bool m_pathWritten = false;
    KeptPathLines m_pathLines; // where an edited paths text's lines go
    qsizetype m_pathIndex = 0; // the file's path lines walked so far
    bool m_lastSectionClosed = false;
    bool m_openLine = false; // the last byte written ends no line
    const char* m_runStart = nullptr;
    const char* m_runEnd = nullptr;
    std::vector<quint32> m_lineRows; // by line number
    // Rows made after the load: copies after their source (a line or a row
    // made later), the others at the end of their section.
    QHash<RowId, QList<NewRow>> m_followers;
    std::array<QList<NewRow>, FileLayout::sectionCount> m_added;
};

} // namespace

void writeKeepingLayout(const IdeDocument& document, const Sink& out)
{
    KeptLayoutWriter(document, out).write();
}

bool writeKeepingLayout(const IdeDocument& document, QIODevice& device)
{
    return writePieces(device, document.fileLayout().bytes.size(),
                       [&document](const PieceSink& out) { writeKeepingLayout(document, out); });
}

} // namespace tarnel
