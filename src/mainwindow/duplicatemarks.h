#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTimer;
class QWidget;

namespace tarnel {

class IdIndex;
class IdeDocument;
class SectionModel;
class SectionTable;
class StepBatch;

// The object IDs more than one row uses, as the window marks them: one
// IdIndex per document (the Free IDs window reads it too), found with of(). The index hears of every row; the
// window hears `changed` once per step of the edit history (or per load),
// however many rows the step touched.
class DuplicateMarks : public QObject {
    Q_OBJECT
public:
    static DuplicateMarks& of(IdeDocument& document);

    // The document's one index of object IDs, which the Free IDs window reads too.
    const IdIndex& index() const;
    // How many IDs more than one row uses (none shown until the index is
    // built again after a load).
    qsizetype count() const;
    // Whether the ID of the table's row `row` is used by another row too.
    bool isMarked(const SectionTable& table, qsizetype row) const;
    // "Also used by line 12 of Timed objects", one line per other row; empty
    // when the row's ID is its own.
    QString otherUsesText(const SectionTable& table, qsizetype row) const;
    // The first marked row shown after the shown row `after`, wrapping round
    // (from the top when `after` is -1); -1 when the model shows none.
    int nextMarkedRow(const SectionModel& model, int after) const;

    // After a load, the index is built again once one of `views` has painted
    // the new content (or a moment later if none does), so a big file shows
    // at once and its marks follow.
    void buildAfterPaintOf(const QList<QWidget*>& views);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DuplicateMarks(IdeDocument& document);
    // A load drops the index; it is built again once the window has shown
    // the new content, so a big file shows without waiting for it.
    void dropIndex();
    void buildIndex() const;
    void rebuild();

    IdeDocument& m_document;
    mutable IdIndex* m_index = nullptr; // none from a load until built again
    QTimer* m_rebuild;                  // after a load: the moment without a paint
    StepBatch* m_batch;                 // the index's row changes, told once per step
    bool m_waitingForPaint = false;
    int m_afterLoadDelay = 0; // ms
};

} // namespace tarnel
