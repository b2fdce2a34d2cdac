#include "document/ideparser.h"

#include "document/idetext.h"

#include <cstring>

namespace {

struct SectionFlags {
    bool inObjs = false;
    bool inTobj = false;
    bool inPath = false;
    bool in2dfx = false;
};

class Parser {
public:
    explicit Parser(const LoadErrorSink& onError) : m_onError(onError) {}

    void handleLine(QByteArrayView line, qsizetype lineNumber)
    {
        if (idetext::isBlank(line))
            return;
        if (setSectionFlag(line))
            return;
        if (idetext::isCommented(line)) {
            // A comment survives as a commented row only when its count fits a table.
            if (const auto kind = kindWithFieldCount(idetext::fieldCount(line)))
                m_content.table(*kind).appendLine(line);
            return;
        }
        if (idetext::isKeyword(line, "end")) {
            m_flags = {};
            return;
        }
        if (m_flags.inObjs)
            addShortableRow(LineKind::Object, line, lineNumber);
        else if (m_flags.inTobj)
            addShortableRow(LineKind::TimedObject, line, lineNumber);
        else if (m_flags.inPath)
            addPathLine(line);
        else if (m_flags.in2dfx)
            addEffect(line);
    }

    DocumentContent take() { return std::move(m_content); }

private:
    bool setSectionFlag(QByteArrayView line)
    {
        // Cheap rejection first: keywords are four letters once spaces are gone.
        if (idetext::trimSpaces(line).size() != 4)
            return false;
        if (idetext::isKeyword(line, "objs"))
            m_flags.inObjs = true;
        else if (idetext::isKeyword(line, "tobj"))
            m_flags.inTobj = true;
        else if (idetext::isKeyword(line, "path"))
            m_flags.inPath = true;
        else if (idetext::isKeyword(line, "2dfx"))
            m_flags.in2dfx = true;
        else
            return false;
        return true;
    }

    // Object lines keep every value they have; a short one is reported once per
    // missing value and kept as it is.
    void addShortableRow(LineKind kind, QByteArrayView line, qsizetype lineNumber)
    {
        m_content.table(kind).appendLine(line);
        const qsizetype missing = fieldCountOf(kind) - idetext::fieldCount(line);
        if (m_onError) {
            for (qsizetype i = 0; i < missing; ++i)
                m_onError(LoadError{lineNumber, line.toByteArray()});
        }
    }

    void addPathLine(QByteArrayView line)
    {
        if (!m_content.pathText.isEmpty())
            m_content.pathText.append("\r\n");
        m_content.pathText.append(line);
    }

    // Empty pieces at the end (a trailing comma) do not decide the kind; they
    // stay with the row so the line is written back as it was.
    void addEffect(QByteArrayView line)
    {
        if (const auto kind = effectKindWithFieldCount(idetext::fieldCountWithoutTrailingEmpties(line)))
            m_content.table(*kind).appendLine(line);
    }

    const LoadErrorSink& m_onError;
    SectionFlags m_flags;
    DocumentContent m_content;
};

} // namespace

DocumentContent parseIde(QByteArrayView bytes, const LoadErrorSink& onError)
{
    Parser parser(onError);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    qsizetype lineNumber = 0;
    const char* lf = p - 1; // next LF at or after p; `end` when there is none
    while (p < end) {
        ++lineNumber;
        if (lf < p) {
            lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
            if (!lf)
                lf = end;
        }
        // A lone CR ends a line as well; CR LF ends it once.
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(lf - p)));
        if (cr && cr + 1 != lf) {
            parser.handleLine(QByteArrayView(p, cr - p), lineNumber);
            p = cr + 1;
            continue;
        }
        parser.handleLine(QByteArrayView(p, (cr ? cr : lf) - p), lineNumber);
        p = lf < end ? lf + 1 : end;
    }
    return parser.take();
}
