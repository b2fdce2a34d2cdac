#include "mainwindow/duplicatemarks.h"

#include "document/idedocument.h"
#include "document/idindex.h"
#include "history/stepbatch.h"
#include "mainwindow/sectionmodel.h"
#include "texts/texts.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace tarnel {

DuplicateMarks& DuplicateMarks::of(IdeDocument& document)
{
    if (auto* marks = document.findChild<DuplicateMarks*>(QString(), Qt::FindDirectChildrenOnly))
        return *marks;
    return *new DuplicateMarks(document);
}

DuplicateMarks::DuplicateMarks(IdeDocument& document)
    : QObject(&document), m_document(document), m_rebuild(new QTimer(this)),
      m_batch(new StepBatch(
          document, [this] { emit changed(); }, this))
{
    buildIndex();
    connect(&document, &IdeDocument::aboutToReplaceContent, this, &DuplicateMarks::dropIndex);
    m_rebuild->setSingleShot(true);
    connect(m_rebuild, &QTimer::timeout, this, &DuplicateMarks::rebuild);
    connect(&document, &IdeDocument::contentReplaced, this, [this] {
        m_waitingForPaint = true;
        m_rebuild->start(m_afterLoadDelay);
    });
}

void DuplicateMarks::buildAfterPaintOf(const QList<QWidget*>& views)
{
    for (QWidget* view : views)
        view->installEventFilter(this);
    m_afterLoadDelay = 250;
}

bool DuplicateMarks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && m_waitingForPaint) {
        // The paint is under way: build once it is on screen.
        m_waitingForPaint = false;
        m_rebuild->start(0);
    }
    return QObject::eventFilter(watched, event);
}

void DuplicateMarks::rebuild()
{
    m_waitingForPaint = false;
    if (!m_index)
        buildIndex();
    m_batch->run();
}

void DuplicateMarks::dropIndex()
{
    delete m_index;
    m_index = nullptr;
}

void DuplicateMarks::buildIndex() const
{
    m_index = new IdIndex(m_document, const_cast<DuplicateMarks*>(this));
    connect(m_index, &IdIndex::changed, m_batch, &StepBatch::schedule);
}

const IdIndex& DuplicateMarks::index() const
{
    if (!m_index)
        buildIndex();
    return *m_index;
}

qsizetype DuplicateMarks::count() const
{
    return m_index ? m_index->duplicateCount() : 0;
}

bool DuplicateMarks::isMarked(const SectionTable& table, qsizetype row) const
{
    if (table.kind() != LineKind::Object && table.kind() != LineKind::TimedObject)
        return false;
    const std::optional<qint64> id = objectIdOf(table.rows(), row);
    return id && m_index && m_index->isDuplicate(*id);
}

QString DuplicateMarks::otherUsesText(const SectionTable& table, qsizetype row) const
{
    if (!isMarked(table, row))
        return {};
    const RowId self = table.rows().id(row);
    // Objects first, then timed objects, each by its line in the file; rows
    // made since the load (no line of the file) last.
    QList<std::pair<LineKind, RowId>> others;
    for (const IdUse& use : index().usesOf(*objectIdOf(table.rows(), row))) {
        if (use.kind != table.kind() || use.row != self)
            others.append({use.kind, use.row});
    }
    std::sort(others.begin(), others.end());
    QStringList lines;
    for (const auto& [kind, id] : others) {
        const QString& caption = texts::sectionCaptions[kind == LineKind::Object ? 0 : 1];
        const qsizetype line = m_document.rowIds().fileLine(id);
        lines.append(line > 0 ? texts::alsoUsedBy.arg(texts::fileLineNumber(line), caption)
                              : texts::alsoUsedByNewLine.arg(caption));
    }
    return lines.join(QLatin1Char('\n'));
}

int DuplicateMarks::nextMarkedRow(const SectionModel& model, int after) const
{
    index(); // F8 right after a load finds them too
    const int rows = model.rowCount();
    for (int step = 1; step <= rows; ++step) {
        const int shown = (after + step) % rows;
        if (isMarked(model.table(), model.tableRow(shown)))
            return shown;
    }
    return -1;
}

} // namespace tarnel
