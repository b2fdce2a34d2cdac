#pragma once

#include <QGroupBox>
#include <QList>

class QLabel;

namespace tarnel {

class IdeDocument;

// "IDE Stats": the row counts of the tables, whether there are paths and how
// many object IDs more than one row uses. It
// follows the document by itself: a load shows at once, any other change once
// its step of the edit history is done.
class StatisticsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit StatisticsPanel(IdeDocument& document, QWidget* parent = nullptr);

    // Value labels in panel order: objects, timed objects, paths, lights,
    // particles, sun, ped areas, duplicate IDs.
    QLabel* valueLabel(int row) const { return m_values[row]; }

private:
    void followDocument();
    void refresh();

    IdeDocument& m_document;
    QList<QLabel*> m_values;
};

} // namespace tarnel
