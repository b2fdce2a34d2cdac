#include "history/documentids.h"

#include "document/idedocument.h"
#include "document/idindex.h"
#include "history/outsideids.h"
#include "history/stepbatch.h"
#include "texts/texts.h"

#include <QTimer>

#include <algorithm>

namespace tarnel {

DocumentIds& DocumentIds::of(IdeDocument& document)
{
    if (auto* ids = document.findChild<DocumentIds*>(QString(), Qt::FindDirectChildrenOnly))
        return *ids;
    return *new DocumentIds(document);
}

DocumentIds::DocumentIds(IdeDocument& document)
    : QObject(&document), m_document(document), m_rebuild(new QTimer(this)),
      m_batch(new StepBatch(
          document, [this] { emit changed(); }, this))
{
    buildIndex();
    connect(&document, &IdeDocument::aboutToReplaceContent, this, &DocumentIds::dropIndex);
    m_rebuild->setSingleShot(true);
    connect(m_rebuild, &QTimer::timeout, this, &DocumentIds::rebuild);
    connect(&document, &IdeDocument::contentReplaced, this, [this] {
        m_waitingToBuild = true;
        if (m_buildDelay == 0)
            return m_rebuild->start(0);
        // The delay counts from the event loop's next turn: what follows a load
        // at start-up (sorting, the window shown) must not use it up before the
        // table could paint, or the index would be built first.
        QTimer::singleShot(0, this, [this] {
            if (m_waitingToBuild)
                m_rebuild->start(m_buildDelay);
        });
    });
}

void DocumentIds::buildSoon()
{
    if (!m_waitingToBuild)
        return;
    m_waitingToBuild = false;
    m_rebuild->start(0);
}

void DocumentIds::rebuild()
{
    m_waitingToBuild = false;
    if (!m_index)
        buildIndex();
    m_batch->run();
}

void DocumentIds::dropIndex()
{
    delete m_index;
    m_index = nullptr;
}

void DocumentIds::buildIndex() const
{
    m_index = new IdIndex(m_document, const_cast<DocumentIds*>(this));
    connect(m_index, &IdIndex::changed, m_batch, &StepBatch::schedule);
}

const IdIndex& DocumentIds::index() const
{
    if (!m_index)
        buildIndex();
    return *m_index;
}

qsizetype DocumentIds::count() const
{
    return m_index ? m_index->duplicateCount() : 0;
}

bool DocumentIds::isMarked(const SectionTable& table, qsizetype row) const
{
    if (table.kind() != LineKind::Object && table.kind() != LineKind::TimedObject)
        return false;
    const std::optional<qint64> id = objectIdOf(table.rows(), row);
    return id && ((m_index && m_index->isDuplicate(*id)) || (m_outside && m_outside->definesElsewhere(*id)));
}

void DocumentIds::setOutside(const OutsideIds* outside)
{
    m_outside = outside;
    emit changed();
}

QString DocumentIds::otherUsesText(const SectionTable& table, qsizetype row) const
{
    if (table.kind() != LineKind::Object && table.kind() != LineKind::TimedObject)
        return {};
    const std::optional<qint64> id = objectIdOf(table.rows(), row);
    if (!id)
        return {};
    const RowId self = table.rows().id(row);
    // Objects first, then timed objects, each by its line in the file; rows
    // made since the load (no line of the file) last.
    QList<std::pair<LineKind, RowId>> others;
    const QList<IdUse> uses = m_index && m_index->isDuplicate(*id) ? m_index->usesOf(*id) : QList<IdUse>();
    for (const IdUse& use : uses) {
        if (use.kind != table.kind() || use.row != self)
            others.append({use.kind, use.row});
    }
    std::sort(others.begin(), others.end());
    QStringList lines;
    for (const auto& [kind, other] : others) {
        const QString& caption = texts::sectionCaptions[kind == LineKind::Object ? 0 : 1];
        const qsizetype line = m_document.rowIds().fileLine(other);
        lines.append(line > 0 ? texts::alsoUsedBy.arg(texts::fileLineNumber(line), caption)
                              : texts::alsoUsedByNewLine.arg(caption));
    }
    if (m_outside)
        lines.append(m_outside->notesOn(*id));
    return lines.join(QLatin1Char('\n'));
}

} // namespace tarnel
