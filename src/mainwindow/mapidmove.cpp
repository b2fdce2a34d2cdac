#include "mainwindow/mapidmove.h"

#include "document/filesreplacement.h"
#include "document/idedocument.h"
#include "document/idefile.h"
#include "history/edithistory.h"
#include "mainwindow/openmap.h"
#include "map/gamemap.h"
#include "texts/texts.h"

#include <QFileInfo>
#include <QPointer>
#include <QSet>

#include <algorithm>
#include <memory>

namespace tarnel {

qsizetype IdMovePlan::lineCount() const
{
    qsizetype count = 0;
    for (const DocumentPart& part : documents)
        count += part.changes.count();
    for (const PlacementPart& part : placements)
        count += part.changes.size();
    return count;
}

IdMovePlan planMapIdMove(OpenMap& map, const IdMapping& mapping)
{
    IdMovePlan plan;
    plan.mapping = mapping;
    const QList<MapFile>& files = map.map().sources().files;
    // A document edited since it was read may name moved IDs its file does not.
    QList<qsizetype> ideFiles = map.changedFiles();
    if (map.shownFile() >= 0)
        ideFiles << map.shownFile();
    for (FileIdChanges& changed : idChangesInMap(map.map(), mapping)) {
        if (files[changed.file].kind == MapFileKind::Ide) {
            ideFiles << changed.file;
            continue;
        }
        QByteArray after = withLineChanges(changed.bytes, changed.changes);
        plan.placements.append({changed.file, files[changed.file].path, std::move(changed.bytes), std::move(after),
                                std::move(changed.changes)});
    }
    std::sort(ideFiles.begin(), ideFiles.end());
    ideFiles.erase(std::unique(ideFiles.begin(), ideFiles.end()), ideFiles.end());
    for (qsizetype file : std::as_const(ideFiles)) {
        IdeDocument* document = map.documentOf(file);
        if (!document)
            continue;
        DocumentIdChanges changes = idChangesInDocument(*document, mapping);
        if (changes.count() > 0 || !changes.keptLines.isEmpty())
            plan.documents.append({file, document, std::move(changes)});
    }
    return plan;
}

IdMovePlan planDocumentIdMove(IdeDocument& document, const IdMapping& mapping)
{
    IdMovePlan plan;
    plan.mapping = mapping;
    DocumentIdChanges changes = idChangesInDocument(document, mapping);
    if (changes.count() > 0 || !changes.keptLines.isEmpty())
        plan.documents.append({-1, &document, std::move(changes)});
    return plan;
}

GameMap mapOfDocument(const IdeDocument& document)
{
    MapSources sources;
    MapFile file;
    file.path = document.openFilePath();
    file.shownPath = document.isUntitled() ? document.displayName() : QFileInfo(file.path).fileName();
    sources.files << file;
    // The sections the tables do not hold (anim, hier, ...) are read from the file.
    FileFacts asRead;
    if (!document.isUntitled()) {
        const ReadOutcome read = readIdeFile(file.path);
        if (read.status == ReadOutcome::Read)
            asRead = readIdeFacts(read.bytes);
    }
    return GameMap::fromFacts(std::move(sources), {ideFactsOfDocument(document, asRead)});
}

namespace {

// One history's step of a move. Its follow function owns it, so it lives
// exactly as long as that step (a reload or the step limit drops it).
struct LinkedStep {
    QPointer<EditHistory> history;
    const QUndoCommand* step = nullptr;
};

// The steps of one move in several histories and the placement files it wrote.
struct LinkedMove {
    QList<std::weak_ptr<LinkedStep>> steps;
    QStringList placementFiles;
    QList<std::pair<QString, QByteArray>> before;
    QList<std::pair<QString, QByteArray>> after;
    std::function<void(const QStringList&)> placementsWritten;
    std::function<void(const QString&)> failed;
    bool applied = true;
    bool following = false;

    // `from`'s step was undone or redone: the others follow, and so do the files.
    void follow(bool redone, const LinkedStep* from)
    {
        if (following || redone == applied)
            return;
        following = true;
        applied = redone;
        for (const std::weak_ptr<LinkedStep>& weak : std::as_const(steps)) {
            const std::shared_ptr<LinkedStep> step = weak.lock();
            if (!step || step.get() == from || !step->history)
                continue;
            QUndoStack& stack = step->history->stack();
            for (int at = 0; at < stack.count(); ++at) {
                if (stack.command(at) != step->step)
                    continue;
                // Later steps of that file go first; earlier ones come back with a redo.
                if (!redone && stack.index() > at)
                    stack.setIndex(at);
                else if (redone && stack.index() <= at)
                    stack.setIndex(at + 1);
                break;
            }
        }
        if (!placementFiles.isEmpty()) {
            const QString error = replaceFilesTogether(redone ? after : before);
            if (error.isEmpty())
                placementsWritten(placementFiles);
            else
                failed(error);
        }
        following = false;
    }
};

} // namespace

QString applyIdMove(const IdMovePlan& plan, std::function<void(const QStringList&)> placementsWritten,
                    std::function<void(const QString&)> failed)
{
    auto move = std::make_shared<LinkedMove>();
    for (const IdMovePlan::PlacementPart& part : plan.placements) {
        move->placementFiles << part.path;
        move->before.append({part.path, part.before});
        move->after.append({part.path, part.after});
    }
    if (!move->after.isEmpty()) {
        if (QString error = replaceFilesTogether(move->after); !error.isEmpty())
            return error;
        placementsWritten(move->placementFiles);
    }
    move->placementsWritten = std::move(placementsWritten);
    move->failed = std::move(failed);
    const bool linked = plan.documents.size() > 1 || !plan.placements.isEmpty();
    const QString text =
        plan.mapping.size() == 1 ? texts::moveOneIdStep : texts::moveIdsStep.arg(plan.mapping.size());
    for (const IdMovePlan::DocumentPart& part : plan.documents) {
        EditHistory& history = EditHistory::of(*part.document);
        EditHistory::RowValuesByKind rows;
        for (size_t kind = 0; kind < rows.size(); ++kind)
            rows[kind] = {part.changes.rows[kind], part.changes.values[kind]};
        auto step = std::make_shared<LinkedStep>();
        std::function<void(bool)> follow;
        if (linked)
            follow = [move, step](bool redone) { move->follow(redone, step.get()); };
        if (history.changeTogether(text, rows, part.changes.pathText, std::move(follow)) == 0)
            continue;
        step->history = &history;
        step->step = history.stack().command(history.stack().index() - 1);
        move->steps << step;
    }
    return {};
}

} // namespace tarnel
