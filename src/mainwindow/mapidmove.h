#pragma once

#include "map/idmove.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tarnel {

class GameMap;
class IdeDocument;
class OpenMap;

// A move of IDs worked out before anything changes: the rows of each IDE
// document it changes (their histories take them) and the new bytes of each
// placement file (written to disk), with the lines of both for the preview.
struct IdMovePlan {
    struct DocumentPart {
        qsizetype file = -1; // in the map; -1 without a map
        IdeDocument* document = nullptr;
        DocumentIdChanges changes;
    };
    struct PlacementPart {
        qsizetype file = -1;
        QString path;
        QByteArray before;
        QByteArray after;
        QList<LineChange> changes;
    };
    IdMapping mapping;
    QList<DocumentPart> documents;
    QList<PlacementPart> placements;

    qsizetype lineCount() const;
    bool isEmpty() const { return documents.isEmpty() && placements.isEmpty(); }
};

// Every line of the map that moving `mapping` changes: the IDE files' from
// their documents (loaded for the files whose lines change, and for those
// edited since they were read), the placement files' from disk.
IdMovePlan planMapIdMove(OpenMap& map, const IdMapping& mapping);
// The same for the one document open without a map.
IdMovePlan planDocumentIdMove(IdeDocument& document, const IdMapping& mapping);

// The ID space of a document open without a map: that file alone.
GameMap mapOfDocument(const IdeDocument& document);

// Applies a plan: the placement files first, all or nothing, then one step
// named "Move 20 IDs" in each document's history. The steps are linked:
// undoing or redoing the move in any of those histories does it in every
// other one (stepping down to it past later steps there; a history that lost
// the step is left alone) and writes the placement files' old or new bytes.
// `placementsWritten(paths)` runs after each write, `failed(reason)` when one
// fails. Returns the reason the placement files could not be written (nothing
// changed then), empty on success.
QString applyIdMove(const IdMovePlan& plan, std::function<void(const QStringList&)> placementsWritten,
                    std::function<void(const QString&)> failed);

} // namespace tarnel
