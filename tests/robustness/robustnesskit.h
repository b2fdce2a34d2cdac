#pragma once

// Shared by the robustness tests: what a document holds, compared as values,
// and the messages the window gives for files it cannot use.

#include "../mainwindow/windowtestkit.h"

#include "document/bufferedforms.h"

namespace tarnel {

namespace rkit {

using Rows = QList<QList<QByteArray>>;
using Tables = QList<Rows>; // one per kind, in allLineKinds order

inline Rows rowsOf(const RowStore& store)
{
    Rows rows;
    for (qsizetype row = 0; row < store.size(); ++row)
        rows.append(store.values(row));
    return rows;
}

inline Tables tablesOf(const IdeDocument& document)
{
    Tables tables;
    for (LineKind kind : allLineKinds)
        tables.append(rowsOf(document.table(kind).rows()));
    return tables;
}

inline Tables tablesOf(const DocumentContent& content)
{
    Tables tables;
    for (LineKind kind : allLineKinds)
        tables.append(rowsOf(content.table(kind)));
    return tables;
}

// How many load-error messages reading these bytes gives.
inline int loadErrorCount(const QByteArray& bytes)
{
    int count = 0;
    parseIde(bytes, [&count](const LoadError&) { ++count; });
    return count;
}

inline const QString loadErrorPrefix =
    QStringLiteral("The below line caused and error. Please correct or further errors could occur\r\n");

inline QString saveFailurePrefix(const QString& path)
{
    return QStringLiteral("Could not save ") + path + QStringLiteral("\r\n");
}

inline const char* const rootSkip =
    "running as root, which permission bits do not stop; ctest runs this test again as an unprivileged user "
    "through tests/robustness/unprivileged.sh";

} // namespace rkit

} // namespace tarnel
