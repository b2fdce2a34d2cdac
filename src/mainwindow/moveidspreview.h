#pragma once

#include "map/idmove.h"

#include <QAbstractItemModel>
#include <QDialog>

namespace tarnel {

// The lines a move changes as a tree: a row per file ("props.ipl (12 lines)"),
// under it a row per line with its number, old and new text. Reads the change
// lists as they are, so tens of thousands of lines cost no widget each.
class MoveIdsPreviewModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct File {
        QString name;
        QList<LineChange> lines;
        bool kept = false; // lines of the file the move leaves as they are (its document keeps them as read)
    };
    explicit MoveIdsPreviewModel(QList<File> files, QObject* parent = nullptr);

    // The lines that change (not those kept).
    qsizetype lineCount() const;
    qsizetype fileCount() const { return m_files.size(); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<File> m_files;
};

// Shows the preview before anything changes: "Apply" or "Cancel".
class MoveIdsPreview : public QDialog {
    Q_OBJECT
public:
    MoveIdsPreview(QList<MoveIdsPreviewModel::File> files, QWidget* parent = nullptr);
    MoveIdsPreviewModel* model() const { return m_model; }

private:
    MoveIdsPreviewModel* m_model;
};

} // namespace tarnel
