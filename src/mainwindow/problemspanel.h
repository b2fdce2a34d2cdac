#pragma once

#include "map/mapfinding.h"

#include <QWidget>

class QLabel;
class QTreeView;

namespace tarnel {

class ProblemsModel;

// The Problems panel: a count per severity above the list of the map's
// findings. Enter or a double-click on a row asks to go to its place.
class ProblemsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsPanel(QWidget* parent = nullptr);

    void setFindings(QList<MapFinding> findings);
    ProblemsModel* model() const { return m_model; }
    QTreeView* view() const { return m_view; }
    QString countText() const;

signals:
    void findingChosen(const MapFinding& finding);

private:
    void showCounts();

    ProblemsModel* m_model;
    QLabel* m_counts;
    QTreeView* m_view;
};

} // namespace tarnel
