#include "document/ideparser.h"

#include "document/idetext.h"
#include "document/rowcells.h"
#include "document/sectionrows.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <future>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarnel {

namespace {

struct SectionFlags {
    bool inObjs = false;
    bool inTobj = false;
    bool inPath = false;
    bool in2dfx = false;
};

// Set bits of every byte value: cheaper than a popcount call on processors the
// build cannot assume to have the instruction.
constexpr std::array<quint8, 256> bitCounts = [] {
    std::array<quint8, 256> counts{};
    for (int i = 0; i < 256; ++i)
        counts[size_t(i)] = quint8(std::popcount(unsigned(i)));
    return counts;
}();

// What one pass over a line finds.
struct LineScan {
    const char* end = nullptr;  // just after the line's text
    const char* next = nullptr; // start of the following line
    qsizetype commas = 0;
    // The line reads exactly as its space-trimmed values joined with ", ": one
    // space after every comma and no other space at either end of a value.
    bool joined = true;
};

// The scan keeps, from one byte to the next, whether the byte before was a
// comma, the space after a comma ("separator space") or another space.
struct ScanState {
    bool comma = false;
    bool separator = false;
    bool otherSpace = false;
    bool atStart = true;
};

inline void scanByte(char c, ScanState& state, LineScan& scan)
{
    const bool comma = c == ',';
    const bool space = c == ' ';
    const bool separator = state.comma;
    const bool otherSpace = space && !separator;
    if ((separator && !space) || (otherSpace && (state.atStart || state.separator)) || (comma && state.otherSpace))
        scan.joined = false;
    scan.commas += comma;
    state = {comma, separator, otherSpace, false};
}

// Finds the end of the line starting at `p`, counting its commas and checking
// whether it reads in the joined form, in one pass.
LineScan scanLine(const char* p, const char* const end)
{
    LineScan scan;
    ScanState state;
    const char* q = p;
#if defined(__SSE2__)
    // Sixteen bytes at a time as bit masks: bit i stands for byte q[i].
    const __m128i commaBytes = _mm_set1_epi8(',');
    const __m128i spaceBytes = _mm_set1_epi8(' ');
    const __m128i lfBytes = _mm_set1_epi8('\n');
    const __m128i crBytes = _mm_set1_epi8('\r');
    unsigned carryComma = 0, carrySeparator = 0, carryOther = 0, startBit = 1;
    bool stopped = false;
    while (end - q >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        const unsigned breaks =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lfBytes), _mm_cmpeq_epi8(v, crBytes))));
        const unsigned inLine = breaks ? (breaks & (0u - breaks)) - 1 : 0xffffu;
        const unsigned commas = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, commaBytes))) & inLine;
        const unsigned spaces = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, spaceBytes))) & inLine;
        const unsigned separators = ((commas << 1) | carryComma) & inLine;
        const unsigned others = spaces & ~separators;
        const unsigned valueStarts = (separators << 1) | carrySeparator | startBit;
        if ((separators & ~spaces) | (others & valueStarts) | (((others << 1) | carryOther) & commas))
            scan.joined = false;
        scan.commas += bitCounts[commas & 0xffu] + bitCounts[commas >> 8];
        if (breaks) {
            q += std::countr_zero(breaks);
            stopped = true;
            break;
        }
        carryComma = commas >> 15;
        carrySeparator = (separators >> 15) & 1u;
        carryOther = (others >> 15) & 1u;
        startBit = 0;
        q += 16;
    }
    if (!stopped) {
        state.comma = carryComma;
        state.separator = carrySeparator;
        state.otherSpace = carryOther;
        state.atStart = q == p;
#endif
        for (; q < end; ++q) {
            const char c = *q;
            if (c == '\n' || c == '\r')
                break;
            scanByte(c, state, scan);
        }
#if defined(__SSE2__)
    }
#endif
    scan.end = q;
    // The last value may not end in a space, nor the line in a comma.
    if (q > p && (q[-1] == ',' || (q[-1] == ' ' && (q - 1 == p || q[-2] != ','))))
        scan.joined = false;
    // A lone CR ends a line as well; CR LF ends it once.
    if (q == end)
        scan.next = end;
    else if (*q == '\r' && end - q >= 2 && q[1] == '\n')
        scan.next = q + 2;
    else
        scan.next = q + 1;
    return scan;
}

class Parser {
public:
    Parser(const QByteArray& bytes) : m_bytes(bytes) {}

    // Reads the lines from `from`, a line's start, up to `to`, the start of a
    // later line or the end of the bytes.
    void parse(const char* from, const char* to)
    {
        const char* const end = m_bytes.constData() + m_bytes.size();
        const char* p = from;
        while (p < to) {
            ++m_lineNumber;
            const LineScan scan = scanLine(p, end);
            handleLine(p, scan, m_lineNumber);
            p = scan.next;
        }
    }

    qsizetype linesRead() const { return m_lineNumber; }
    // The sections still open end at line `line`: the end of the file, or the
    // `end` line a second thread reads. True when one was open.
    bool closeSectionsAt(qsizetype line)
    {
        const bool open = inOwnSection() || !m_otherSection.isEmpty();
        closeSections(line);
        return open;
    }
    DocumentContent take()
    {
        m_content.layout.setLineCount(m_lineNumber);
        return std::move(m_content);
    }

private:
    using Reason = LoadReportEntry::Reason;

    void handleLine(const char* begin, const LineScan& scan, qsizetype lineNumber)
    {
        const char* text = begin;
        while (text < scan.end && *text == ' ')
            ++text;
        if (scan.commas == 0) {
            // Keywords are four letters once spaces and tabs are gone, "end"
            // three; nothing at all is a blank line.
            const char* first = begin;
            while (first < scan.end && (*first == ' ' || *first == '\t'))
                ++first;
            if (first == scan.end)
                return;
            const char* last = scan.end;
            while (last[-1] == ' ' || last[-1] == '\t')
                --last;
            if (handleWord(begin, scan, QByteArrayView(first, last - first), lineNumber))
                return;
        }
        if (*text == '#') {
            handleComment(begin, scan, lineNumber);
            return;
        }
        if (m_flags.inObjs)
            addShortableRow(LineKind::Object, begin, scan, lineNumber);
        else if (m_flags.inTobj)
            addShortableRow(LineKind::TimedObject, begin, scan, lineNumber);
        else if (m_flags.inPath)
            addPathLine(QByteArrayView(begin, scan.end - begin), lineNumber);
        else if (m_flags.in2dfx)
            addEffect(begin, scan, lineNumber, Reason::EffectFields);
        else
            reportOutside(begin, scan, lineNumber);
    }

    bool inOwnSection() const { return m_flags.inObjs || m_flags.inTobj || m_flags.inPath || m_flags.in2dfx; }

    // A keyword or `end` line. Those of the four sections read here come back
    // in the fixed layout; those of other sections are reported.
    bool handleWord(const char* begin, const LineScan& scan, QByteArrayView word, qsizetype lineNumber)
    {
        if (word.size() == 4 && setSectionFlag(word, lineNumber))
            return true;
        if (word.size() == 3 && idetext::isKeyword(word, "end")) {
            if (!inOwnSection())
                reportOutside(begin, scan, lineNumber);
            closeSections(lineNumber);
            return true;
        }
        if (inOwnSection() || !isOtherSectionKeyword(word))
            return false;
        m_otherSection = word.toByteArray().toLower();
        report(Reason::OtherSection, begin, scan, lineNumber);
        return true;
    }

    // A comment is a commented row when, "#" and all, it is a complete line of
    // the section it lies in; any other comment stays a comment.
    void handleComment(const char* begin, const LineScan& scan, qsizetype lineNumber)
    {
        if (m_flags.inObjs)
            addCommentedObject(LineKind::Object, begin, scan, lineNumber);
        else if (m_flags.inTobj)
            addCommentedObject(LineKind::TimedObject, begin, scan, lineNumber);
        else if (m_flags.inPath)
            report(Reason::Comment, begin, scan, lineNumber);
        else if (m_flags.in2dfx)
            addEffect(begin, scan, lineNumber, Reason::Comment);
        else
            reportOutside(begin, scan, lineNumber, Reason::Comment);
    }

    // Outside the four sections: in another section, or outside every section.
    void reportOutside(const char* begin, const LineScan& scan, qsizetype lineNumber,
                       Reason outside = Reason::OutsideSections)
    {
        report(m_otherSection.isEmpty() ? outside : Reason::OtherSection, begin, scan, lineNumber);
    }

    // The keywords of the sections this editor does not read.
    static bool isOtherSectionKeyword(QByteArrayView word)
    {
        if (word.size() != 4)
            return false;
        return std::any_of(otherSectionKeywords.begin(), otherSectionKeywords.end(),
                           [word](const char* keyword) { return idetext::isKeyword(word, keyword); });
    }
    static constexpr std::array<const char*, 7> otherSectionKeywords = {"hier", "cars", "peds", "weap",
                                                                        "anim", "txdp", "hand"};

    bool setSectionFlag(QByteArrayView word, qsizetype lineNumber)
    {
        if (idetext::isKeyword(word, "objs")) {
            m_flags.inObjs = true;
        } else if (idetext::isKeyword(word, "tobj")) {
            m_flags.inTobj = true;
        } else if (idetext::isKeyword(word, "path")) {
            m_flags.inPath = true;
            if (m_content.layout.firstPathStart == 0)
                m_content.layout.firstPathStart = lineNumber;
        } else if (idetext::isKeyword(word, "2dfx")) {
            m_flags.in2dfx = true;
        } else {
            return false;
        }
        m_otherSection.clear();
        return true;
    }

    void closeSections(qsizetype lineNumber)
    {
        FileLayout& layout = m_content.layout;
        if (m_flags.inObjs)
            layout.lastSectionEnd[FileLayout::Objs] = lineNumber;
        if (m_flags.inTobj)
            layout.lastSectionEnd[FileLayout::Tobj] = lineNumber;
        if (m_flags.in2dfx)
            layout.lastSectionEnd[FileLayout::Effects] = lineNumber;
        if (m_flags.inPath && layout.firstPathEnd == 0)
            layout.firstPathEnd = lineNumber;
        m_flags = {};
        m_otherSection.clear();
    }

    void report(Reason reason, const char* begin, const LineScan& scan, qsizetype lineNumber, qsizetype count = 0)
    {
        LoadReportEntry entry;
        entry.lineNumber = lineNumber;
        entry.reason = reason;
        entry.count = count;
        if (reason == Reason::OtherSection)
            entry.section = m_otherSection;
        entry.line = QByteArray(begin, scan.end - begin);
        m_content.report.entries.append(std::move(entry));
    }

    Q_ALWAYS_INLINE void addRow(LineKind kind, const char* begin, const LineScan& scan, qsizetype lineNumber)
    {
        RowStore& rows = m_content.table(kind);
        const RowId id = RowId(lineNumber);
        if (scan.joined)
            rows.appendSharedLine(m_bytes, begin - m_bytes.constData(), scan.end - begin, scan.commas + 1, id);
        else
            rows.appendLineAsRead(m_bytes, begin - m_bytes.constData(), scan.end - begin, scan.commas + 1, id);
        m_content.layout.setRole(lineNumber, FileLayout::Role::Row);
    }

    // Object lines keep every value they have; a short one is reported with
    // the count of its missing values and kept as it is.
    void addShortableRow(LineKind kind, const char* begin, const LineScan& scan, qsizetype lineNumber)
    {
        addRow(kind, begin, scan, lineNumber);
        const qsizetype missing = fieldCountOf(kind) - (scan.commas + 1);
        if (missing > 0) {
            report(Reason::MissingValues, begin, scan, lineNumber, missing);
            LoadReportEntry& entry = m_content.report.entries.last();
            entry.kind = kind;
            entry.row = RowId(lineNumber);
        }
    }

    // A commented object line is complete with the later layout's count in a
    // table of that layout, with the usual count or more otherwise. Which one
    // the table has is known once the whole file is read, so the line is kept
    // as a row for now and its entry tells settleCommentedRows() to decide.
    void addCommentedObject(LineKind kind, const char* begin, const LineScan& scan, qsizetype lineNumber)
    {
        const qsizetype values = scan.commas + 1;
        if (values < fieldCountOf(kind) - 1) {
            report(Reason::Comment, begin, scan, lineNumber, values);
            return;
        }
        addRow(kind, begin, scan, lineNumber);
        // Nearly all become rows: the line is copied only if it stays a comment.
        LoadReportEntry entry;
        entry.lineNumber = lineNumber;
        entry.count = values;
        entry.line = QByteArray::fromRawData(begin, scan.end - begin);
        entry.kind = kind;
        entry.row = RowId(lineNumber);
        m_content.report.entries.append(std::move(entry));
    }

    void addPathLine(QByteArrayView line, qsizetype lineNumber)
    {
        if (!m_content.pathText.isEmpty())
            m_content.pathText.append("\r\n");
        m_content.pathText.append(line);
        m_content.layout.setRole(lineNumber, FileLayout::Role::Path);
    }

    // A 2dfx line's kind is its count's (sectionrows.h, trailing commas
    // included); a commented line (`otherCount` Comment) follows the same rule.
    // The pieces stay with the row either way, so it is written back as it was.
    void addEffect(const char* begin, const LineScan& scan, qsizetype lineNumber, Reason otherCount)
    {
        const qsizetype pieces = scan.commas + 1;
        const auto kind = effectKindOf(QByteArrayView(begin, scan.end - begin), pieces);
        if (kind)
            addRow(*kind, begin, scan, lineNumber);
        else
            report(otherCount, begin, scan, lineNumber, otherCount == Reason::EffectFields ? pieces : 0);
    }

    const QByteArray& m_bytes;
    SectionFlags m_flags;
    QByteArray m_otherSection; // the keyword of the other section the lines are in
    DocumentContent m_content;
    qsizetype m_lineNumber = 0;
};

bool isEndLine(const char* begin, const LineScan& scan)
{
    return scan.commas == 0 && idetext::isKeyword(QByteArrayView(begin, scan.end - begin), "end");
}

// The start of the line after the first "end" line from `from` on, but not
// past `limit`: what the lines after it become does not depend on any line
// before it. Null when there is none.
const char* sectionEndAfter(const char* from, const char* limit, const char* end)
{
    // Step to the start of a line: after an LF, or after a CR that no LF follows.
    const char* p = from;
    while (p < end && p[-1] != '\n' && !(p[-1] == '\r' && *p != '\n'))
        ++p;
    while (p < end && p < limit) {
        const LineScan scan = scanLine(p, end);
        if (isEndLine(p, scan))
            return scan.next < end ? scan.next : nullptr;
        p = scan.next;
    }
    return nullptr;
}

// Files at least this big are read by two threads, one half each.
constexpr qsizetype splitSize = qsizetype(8) << 20;

} // namespace

namespace {

// Takes the lines a second thread read, which follow the first `lines` lines.
void appendTail(DocumentContent& content, DocumentContent&& rest, qsizetype lines)
{
    const RowId idOffset = RowId(lines);
    for (LineKind kind : allLineKinds)
        content.table(kind).appendRows(std::move(rest.table(kind)), idOffset);
    if (!rest.pathText.isEmpty()) {
        // Exactly the room both parts take: the document keeps the text.
        content.pathText.reserve(content.pathText.size() + 2 + rest.pathText.size());
        if (!content.pathText.isEmpty())
            content.pathText.append("\r\n");
        content.pathText.append(rest.pathText);
    }
    FileLayout& layout = content.layout;
    const FileLayout& tail = rest.layout;
    for (qsizetype& at : layout.lastSectionEnd) {
        const qsizetype later = tail.lastSectionEnd[size_t(&at - layout.lastSectionEnd.data())];
        if (later != 0)
            at = later + lines;
    }
    if (layout.firstPathStart == 0 && tail.firstPathStart != 0) {
        layout.firstPathStart = tail.firstPathStart + lines;
        layout.firstPathEnd = tail.firstPathEnd + lines;
    }
    layout.appendRoles(tail, lines + 1);
    layout.setLineCount(lines + tail.lineCount);
    content.report.entries.reserve(content.report.entries.size() + rest.report.entries.size());
    for (LoadReportEntry& entry : rest.report.entries) {
        entry.lineNumber += lines;
        if (entry.row != 0)
            entry.row += idOffset;
        content.report.entries.append(std::move(entry));
    }
}

// The position of the row with identity `id` in a store whose rows are in
// file order, as the parser appends them.
qsizetype rowInFileOrder(const RowStore& rows, RowId id)
{
    qsizetype low = 0;
    qsizetype high = rows.size();
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (rows.id(mid) < id)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

// Commented object lines were kept as rows until the layout of their table was
// known: those that are no complete line of it go back to being comments.
void settleCommentedRows(DocumentContent& content, const std::array<bool, lineKindCount>& later)
{
    std::array<QList<qsizetype>, lineKindCount> dropped;
    for (LoadReportEntry& entry : content.report.entries) {
        if (entry.reason != LoadReportEntry::Reason::Comment || !entry.kind)
            continue;
        const LineKind kind = *entry.kind;
        const bool laterTable = later[size_t(kind)];
        if (isLoadedObjectRow(kind, entry.count, laterTable)) {
            entry.kind.reset(); // a row: the entry goes below
            continue;
        }
        dropped[size_t(kind)].append(rowInFileOrder(content.table(kind), entry.row));
        content.layout.setRole(entry.lineNumber, FileLayout::Role::Kept);
        entry.line = QByteArray(entry.line.constData(), entry.line.size()); // off the file's bytes
        entry.kind.reset();
        entry.row = 0;
    }
    for (LineKind kind : {LineKind::Object, LineKind::TimedObject})
        content.table(kind).removeRows(dropped[size_t(kind)]);
}

// Short object lines of a table read in the later layout are no load errors:
// that layout has fewer values. Whether it is depends on every line of the
// table, so the errors wait for the whole file, as do the commented object
// lines that may be rows.
void settleLoadErrors(DocumentContent& content, const LoadErrorSink& onError)
{
    using Reason = LoadReportEntry::Reason;
    QList<LoadReportEntry>& entries = content.report.entries;
    const auto undecided = [](const LoadReportEntry& entry) {
        return entry.reason == Reason::MissingValues || (entry.reason == Reason::Comment && entry.kind);
    };
    if (std::none_of(entries.cbegin(), entries.cend(), undecided))
        return; // no table's layout to work out
    std::array<bool, lineKindCount> later{};
    for (LineKind kind : {LineKind::Object, LineKind::TimedObject})
        later[size_t(kind)] = laterLayoutOf(kind, content.table(kind));
    // A commented row's entry goes; so does a later-layout line's "missing" value.
    const auto settled = [&later](const LoadReportEntry& entry) {
        if (entry.reason == Reason::Comment)
            return entry.row != 0;
        return entry.reason == Reason::MissingValues &&
               isLaterLayoutRow(*entry.kind, fieldCountOf(*entry.kind) - entry.count, later[size_t(*entry.kind)]);
    };
    settleCommentedRows(content, later);
    entries.erase(std::remove_if(entries.begin(), entries.end(), settled), entries.end());
    if (!onError)
        return;
    for (const LoadReportEntry& entry : entries) {
        if (entry.reason != Reason::MissingValues)
            continue;
        const LoadError error{entry.lineNumber, entry.line};
        for (qsizetype i = 0; i < entry.count; ++i)
            onError(error);
    }
}

} // namespace

DocumentContent parseIdeKeepingBytes(const QByteArray& bytes, const LoadErrorSink& onError)
{
    const char* const begin = bytes.constData();
    const char* const end = begin + bytes.size();
    // A UTF-8 byte order mark is not part of the first line; the fixed layout
    // writes the file back without it.
    const char* const start = bytes.startsWith("\xEF\xBB\xBF") ? begin + 3 : begin;
    Parser head(bytes);
    // A big file is cut after an "end" line past its middle; a second thread
    // reads the part after it, which starts outside every section either way.
    const char* cut = nullptr;
    if (bytes.size() >= splitSize && std::thread::hardware_concurrency() > 1)
        cut = sectionEndAfter(begin + bytes.size() / 2, begin + bytes.size() * 3 / 4, end);
    DocumentContent content;
    if (!cut) {
        head.parse(start, end);
        const bool open = head.closeSectionsAt(head.linesRead() + 1);
        content = head.take();
        content.layout.endsInsideSection = open;
    } else {
        Parser tail(bytes);
        auto tailDone = std::async(std::launch::async, [&tail, cut, end] {
            tail.parse(cut, end);
            return tail.closeSectionsAt(tail.linesRead() + 1);
        });
        head.parse(start, cut);
        head.closeSectionsAt(head.linesRead() + 1); // none open after the "end" line
        const bool open = tailDone.get();
        content = head.take();
        appendTail(content, tail.take(), head.linesRead());
        content.layout.endsInsideSection = open;
    }
    content.layout.read = true;
    content.layout.bytes = bytes;
    content.layout.bomSize = start - begin;
    content.layout.pathText = content.pathText;
    settleLoadErrors(content, onError);
    return content;
}

} // namespace tarnel
