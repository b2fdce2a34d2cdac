#pragma once

#include "document/linekind.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <map>
#include <optional>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnel {

class ColumnBinding;
class IdeDocument;
class Platform;
class RowTracker;

// What the editors have in common: a window holding one line's columns in
// fields, the frame around them, the line preview, the confirm and cancel
// buttons, the blank-field check, and writing the line back into the row it
// follows (or adding it as a new row). Each kind's editor supplies its fields,
// one binding per column, and its layout.
class LineEditor : public QWidget {
    Q_OBJECT
public:
    struct Design {
        // The window's object name, by which tests and the window find it.
        const char* objectName;
        QString title;
        QString frameCaption;
        // The confirm button's caption for a new line.
        QString addCaption;
        // Status messages after adding and after updating.
        QString addedStatus;
        QString updatedStatus;
    };

    // Edit writes the fields back into the row the editor follows; Add makes a new row.
    enum class Mode { Edit, Add };

    struct LabelledField {
        QLabel* label;
        QLineEdit* field;
    };

    LineEditor(const Design& design, IdeDocument& document, LineKind kind, Platform& platform, QWidget* owner);
    ~LineEditor() override;

    // Fills the fields from row `row` (0-based) and follows that row from now
    // on. An editor in add mode stays in add mode.
    void loadRow(qsizetype row);
    // Confirming adds a new row; the fields keep what they hold.
    void enterAddMode();
    Mode mode() const { return m_mode; }
    // The row being followed, while it exists.
    std::optional<qsizetype> followedRow() const;

    // Checks, writes and closes; stays open and writes nothing when a check fails.
    bool confirm();
    // Whether any field differs from what it was last filled with (its row, or
    // the designed values of a fresh editor).
    bool hasUnconfirmedChanges() const;

signals:
    void statusMessage(const QString& text);
    // An edited row was written back; `row` is where it stands now.
    void rowConfirmed(qsizetype row);
    // Confirmed, cancelled or closed: the window is done with.
    void finished();

protected:
    QGroupBox* frame() const { return m_frame; }

    // Binds a column to its field or choice; every column must be bound once.
    void bind(int column, ColumnBinding* binding);
    // A free-text field with its caption, bound to `column`.
    LabelledField addTextField(int column, const char* name, const QString& caption,
                               const QString& designed = QString());
    // The order of the blank-field check, by column, when it is not the column order.
    void setCheckOrder(const QList<int>& columns) { m_checkOrder = columns; }
    // A control outside the columns that Tab reaches right after the column's own.
    void tabAfterColumn(int column, QWidget* widget) { m_tabAfter[column] << widget; }
    // The one column whose field holds a list of values separated by commas (an
    // object's draw distances): the comma check skips it, each of its pieces must
    // not be blank, and as it takes every value beyond the other columns, the row
    // is written whole from the fields.
    void setListColumn(int column) { m_listColumn = column; }

    // Whether the line is in the later object layout, without a mesh count (rowcells.h).
    bool isLaterLayoutLine() const { return m_laterLayout; }
    // The line's layout was set, on loading a row or entering add mode.
    virtual void layoutChanged() {}

    // One caption and field per grid row.
    static QGridLayout* captionedRows(const QList<LabelledField>& rows);

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Enter confirms (or presses the focused button) and Esc cancels, from any field.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuildPreview();
    QStringList currentValues() const;
    // The fields in line order, then the confirm and cancel buttons; the first field takes the focus.
    void setUpTabOrder();
    void showRowNumber();
    void finish();
    void setLaterLayout(bool laterLayout);
    bool missingValue() const;
    bool unstorableValue();
    QList<QByteArray> lineValues() const;
    // The values the row at `row` takes on confirming: `values`, and those past the table's columns kept.
    QList<QByteArray> writtenBack(qsizetype row, const QList<QByteArray>& values) const;

    Design m_design;
    IdeDocument& m_document;
    LineKind m_kind;
    Platform& m_platform;
    RowTracker* m_tracker;
    std::vector<ColumnBinding*> m_columns;
    QList<int> m_checkOrder;
    int m_listColumn = -1;
    Mode m_mode = Mode::Edit;
    bool m_laterLayout = false;
    bool m_finished = false;
    bool m_shownBefore = false;
    std::map<int, QList<QWidget*>> m_tabAfter;
    QStringList m_filledWith;

    QGroupBox* m_frame = nullptr;
    QLineEdit* m_preview = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tarnel
