#pragma once

#include "document/linekind.h"

#include <QTableView>

class QMenu;

namespace tarnel {

class SectionModel;

// A section table shown as a list: whole rows selected, fixed row height and
// column widths so that huge tables scroll without measuring their rows.
class SectionView : public QTableView {
    Q_OBJECT
public:
    SectionView(SectionModel* model, QWidget* parent = nullptr);

    LineKind kind() const;
    SectionModel* sectionModel() const { return m_model; }
    // The Actions menu that pops up on a right click over a row.
    void setPopupMenu(QMenu* menu) { m_popup = menu; }
    // Selected rows as the table's row numbers, ascending; while a filter
    // hides rows, only the selected rows shown.
    QList<qsizetype> selectedRowNumbers() const;
    // The table rows a command on "the selected rows, or all rows the filter
    // shows" takes: the selection, or every row shown when none is selected
    // (`selected` tells which).
    QList<qsizetype> selectedOrShownRows(bool* selected) const;
    // The whole text of a cell the view shows cut; empty when it shows whole.
    QString cutText(const QModelIndex& index) const;
    // Makes the shown row `row` (the last one when past the end) current and
    // the only one selected, and scrolls it into view.
    void makeCurrent(int row);
    // Brings the current row into view, wherever a change moved it.
    void showCurrent();
    // Scrolls the shown row `row` into view, at once after a change of the rows
    // (the scroll range is brought up to date first).
    void showRow(int row);
    // Whether the row header follows the rows. The header keeps a record per
    // row (12 bytes: a million rows take 12 MB), so a table not shown goes
    // without one; the scroll position is kept for when it is shown again.
    void setRowHeaderShown(bool shown);

signals:
    // Double click or Enter: open the selected row in its editor.
    void openRequested();

protected:
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void applyColumnWidths();
    // Wide enough for the file's last line number, wherever sorting put it.
    void fitRowHeader();
    // Selected rows as the view shows them, ascending.
    QList<qsizetype> selectedShownRows() const;
    void holdSelection();
    void restoreSelection(const QList<qsizetype>& newPositions);

    SectionModel* m_model;
    QMenu* m_popup = nullptr;
    QList<qsizetype> m_heldRows; // the selection while the rows are reordered
    int m_heldScroll = 0;        // the scroll position while the row header is away
};

} // namespace tarnel
