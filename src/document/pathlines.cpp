#include "document/pathlines.h"

#include "document/idetext.h"

namespace tarnel {

namespace {

// The reader's rules for one line inside a path section.
std::optional<LostPathLine> lostAs(QByteArrayView line)
{
    const QByteArrayView word = idetext::trimSpacesAndTabs(line);
    if (word.isEmpty())
        return LostPathLine::Blank;
    if (idetext::isKeyword(word, "objs") || idetext::isKeyword(word, "tobj"))
        return LostPathLine::SectionStart;
    if (idetext::isKeyword(word, "path") || idetext::isKeyword(word, "2dfx"))
        return LostPathLine::SectionName;
    if (idetext::isKeyword(word, "end"))
        return LostPathLine::End;
    if (idetext::isCommented(line))
        return LostPathLine::Comment;
    return std::nullopt;
}

} // namespace

std::optional<LostPathLineAt> firstLostPathLine(QByteArrayView pathText)
{
    // No text, no lines: nothing is written between "path" and "end".
    if (pathText.isEmpty())
        return std::nullopt;
    qsizetype lineNumber = 0;
    qsizetype start = 0;
    while (start <= pathText.size()) {
        qsizetype end = start;
        while (end < pathText.size() && pathText[end] != '\n' && pathText[end] != '\r')
            ++end;
        ++lineNumber;
        if (const std::optional<LostPathLine> reason = lostAs(pathText.sliced(start, end - start)))
            return LostPathLineAt{lineNumber, *reason};
        if (end == pathText.size())
            break;
        start = end + (pathText[end] == '\r' && end + 1 < pathText.size() && pathText[end + 1] == '\n' ? 2 : 1);
    }
    return std::nullopt;
}

} // namespace tarnel
