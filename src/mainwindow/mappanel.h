#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnel {

class OpenMap;

// The Map panel: the game folder and ID limit fields over a tree of the map's
// files by folder, in load order within each folder; missing files greyed,
// changed ones marked "*", the shown one bold. Choosing an IDE file shows it
// in the tables; choosing a placement file asks for it to be shown as text.
class MapPanel : public QWidget {
    Q_OBJECT
public:
    explicit MapPanel(OpenMap& map, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }

signals:
    // The game folder field was confirmed with another folder (empty: found from the lists).
    void gameFolderChosen(const QString& folder);
    void placementFileChosen(qsizetype file);

private:
    void rebuild();
    // Marks (changed, shown) without building the tree again.
    void updateMarks();
    void choose(QTreeWidgetItem* item);
    void applyIdLimit();

    OpenMap& m_map;
    QLineEdit* m_gameFolder;
    QLineEdit* m_idLimit;
    QTreeWidget* m_tree;
};

} // namespace tarnel
