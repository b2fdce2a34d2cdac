#pragma once

#include <QGroupBox>
#include <QList>

class IdeDocument;
class QLabel;

// "IDE Stats": the row counts of the tables and whether there are paths.
class StatisticsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit StatisticsPanel(QWidget* parent = nullptr);

    void refresh(const IdeDocument& document);
    // Value labels in panel order: objCount, tobjcount, pathsexsist, lightcount,
    // partcount, suncount, pedcount.
    QLabel* valueLabel(int row) const { return m_values[row]; }

private:
    QList<QLabel*> m_values;
};
