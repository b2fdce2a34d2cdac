#pragma once

#include "document/linekind.h"
#include "map/idlinechanges.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <optional>

namespace tarnel {

class IdeDocument;

// What a move changes in a document open in the window: its rows as edited,
// commented rows too, and its paths text.
struct DocumentIdChanges {
    // Per table: the rows changed, ascending, and their new values (values[k][i] for rows[k][i]).
    std::array<QList<qsizetype>, lineKindCount> rows;
    std::array<QList<QList<QByteArray>>, lineKindCount> values;
    std::optional<QByteArray> pathText; // the new paths text, when a path header changes
    // For the preview: the row's file line (0 for a row made since) and its text, before and after.
    QList<LineChange> shown;
    // Lines of the file as read that the document keeps as they are, holding
    // no row (a comment in a path section, a commented line of another value
    // count), and that the move would change in the file: the document cannot.
    QList<LineChange> keptLines;
    qsizetype count() const { return shown.size(); }
};

DocumentIdChanges idChangesInDocument(const IdeDocument& document, const IdMapping& mapping);

} // namespace tarnel
