#include "document/idetext.h"

namespace tarnel {

namespace idetext {

QByteArrayView trimSpaces(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

QByteArrayView trimSpacesAndTabs(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.sliced(begin, end - begin);
}

bool isBlank(QByteArrayView line)
{
    return trimSpaces(line).isEmpty();
}

qsizetype fieldCount(QByteArrayView line)
{
    return line.count(',') + 1;
}

qsizetype fieldCountWithoutTrailingEmpties(QByteArrayView line)
{
    qsizetype count = fieldCount(line);
    qsizetype end = line.size();
    while (count > 0) {
        qsizetype comma = end - 1;
        while (comma >= 0 && line[comma] != ',')
            --comma;
        if (!trimSpaces(line.sliced(comma + 1, end - comma - 1)).isEmpty())
            break;
        --count;
        if (comma < 0)
            break;
        end = comma;
    }
    return count;
}

bool isKeyword(QByteArrayView line, QByteArrayView keyword)
{
    const QByteArrayView word = trimSpacesAndTabs(line);
    if (word.size() != keyword.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != keyword[i])
            return false;
    }
    return true;
}

bool isCommented(QByteArrayView text)
{
    const QByteArrayView trimmed = trimSpaces(text);
    return !trimmed.isEmpty() && trimmed.front() == '#';
}

qsizetype commentMarksLength(QByteArrayView text)
{
    qsizetype at = 0;
    for (const char mark : {' ', '#', ' '}) {
        while (at < text.size() && text[at] == mark)
            ++at;
    }
    return at;
}

} // namespace idetext

} // namespace tarnel
