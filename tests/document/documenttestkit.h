#pragma once

// Helpers shared by the document tests: readable dumps of tables, comparison of
// whole documents.

#include "document/bufferedforms.h"
#include "document/documentcontent.h"
#include "document/idedocument.h"
#include "document/ideparser.h"
#include "document/idewriter.h"
#include "support/filelines.h"
#include "support/testeditkey.h"
#include "support/testfiles.h"

#include <QByteArrayList>
#include <QList>
#include <QString>

namespace tarnel {

namespace kit {

using namespace support;

// A row as its values joined with '|' (test data never holds '|').
inline QByteArray rowText(const RowStore& rows, qsizetype row)
{
    return rows.values(row).join('|');
}

inline QByteArrayList rowTexts(const RowStore& rows)
{
    QByteArrayList out;
    for (qsizetype row = 0; row < rows.size(); ++row)
        out.append(rowText(rows, row));
    return out;
}

inline QByteArrayList firstValues(const RowStore& rows)
{
    QByteArrayList out;
    for (qsizetype row = 0; row < rows.size(); ++row)
        out.append(rows.firstValue(row).toByteArray());
    return out;
}

// Every row of every table as "<table> <values>", then "path <text>" when the
// path store holds anything.
inline QByteArrayList dump(const DocumentContent& content)
{
    QByteArrayList out;
    for (LineKind kind : allLineKinds) {
        const RowStore& rows = content.table(kind);
        for (qsizetype row = 0; row < rows.size(); ++row)
            out.append(tableNameOf(kind).toLatin1() + ' ' + rowText(rows, row));
    }
    if (!content.pathText.isEmpty())
        out.append("path " + content.pathText);
    return out;
}

inline DocumentContent snapshot(const IdeDocument& document)
{
    DocumentContent content;
    for (LineKind kind : allLineKinds)
        content.table(kind) = document.table(kind).rows();
    content.pathText = document.pathText();
    return content;
}

// Describes the first difference between two documents' tables, path stores
// and (when asked) which rows count as commented; empty when they agree.
inline QString differenceBetween(const DocumentContent& a, const DocumentContent& b, bool compareComments = false)
{
    for (LineKind kind : allLineKinds) {
        const RowStore& x = a.table(kind);
        const RowStore& y = b.table(kind);
        const QString name = tableNameOf(kind);
        if (x.size() != y.size())
            return QStringLiteral("%1: %2 rows against %3").arg(name).arg(x.size()).arg(y.size());
        for (qsizetype row = 0; row < x.size(); ++row) {
            if (x.values(row) != y.values(row)) {
                return QStringLiteral("%1 row %2: [%3] against [%4]")
                    .arg(name)
                    .arg(row)
                    .arg(QString::fromLatin1(rowText(x, row)), QString::fromLatin1(rowText(y, row)));
            }
            if (compareComments && x.isCommented(row) != y.isCommented(row))
                return QStringLiteral("%1 row %2: commented %3 against %4")
                    .arg(name)
                    .arg(row)
                    .arg(x.isCommented(row))
                    .arg(y.isCommented(row));
        }
    }
    if (a.pathText != b.pathText)
        return QStringLiteral("path stores differ");
    return {};
}

struct Parsed {
    DocumentContent content;
    QList<LoadError> errors;
};

inline Parsed parseCollecting(QByteArrayView bytes)
{
    Parsed parsed;
    parsed.content = parseIde(bytes, [&parsed](const LoadError& e) { parsed.errors.append(e); });
    return parsed;
}

inline QByteArray formatContent(const DocumentContent& content, QByteArrayView header = "# test header")
{
    return formatIde(contentViewOf(content), header);
}

} // namespace kit

} // namespace tarnel
