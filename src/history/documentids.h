#pragma once

#include <QObject>
#include <QString>

class QTimer;

namespace tarnel {

class IdIndex;
class IdeDocument;
class OutsideIds;
class SectionTable;
class StepBatch;

// The owner of a document's one IdIndex (object IDs, and which of them more
// than one row uses), found with of(): the window's marks, Go to ID and the
// Free IDs window read it. The index hears of every row; `changed` comes once
// per step of the edit history (or per load), however many rows the step touched.
class DocumentIds : public QObject {
    Q_OBJECT
public:
    static DocumentIds& of(IdeDocument& document);

    // The index, built now if a load dropped it.
    const IdIndex& index() const;
    // How many IDs more than one row uses (none until the index is built
    // again after a load).
    qsizetype count() const;
    // Whether the index is there: false from a load until it is built again.
    bool isBuilt() const { return m_index != nullptr; }
    // Whether the ID of the table's row `row` is used by another row too.
    bool isMarked(const SectionTable& table, qsizetype row) const;
    // "Also used by line 12 of Timed objects", one line per other row, then
    // what the outside IDs note on it; empty when there is nothing to say.
    QString otherUsesText(const SectionTable& table, qsizetype row) const;

    // The IDs of the files beside the document (none: nullptr); the marks
    // and tooltips count them from now on, and again after outsideChanged().
    void setOutside(const OutsideIds* outside);
    void outsideChanged() { emit changed(); }

    // A load drops the index and builds it again `ms` after the new content
    // is there (at the next turn of the event loop by default), or sooner
    // through buildSoon(): a big file shows without waiting for it.
    void setBuildDelay(int ms) { m_buildDelay = ms; }
    // After a load, builds the index at the next turn of the event loop
    // unless it is built already.
    void buildSoon();

signals:
    void changed();

private:
    explicit DocumentIds(IdeDocument& document);
    void dropIndex();
    void buildIndex() const;
    void rebuild();

    IdeDocument& m_document;
    mutable IdIndex* m_index = nullptr; // none from a load until built again
    QTimer* m_rebuild;                  // after a load
    StepBatch* m_batch;                 // the index's row changes, told once per step
    const OutsideIds* m_outside = nullptr;
    bool m_waitingToBuild = false;
    int m_buildDelay = 0; // ms
};

} // namespace tarnel
