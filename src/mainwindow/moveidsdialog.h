#pragma once

#include "map/idmove.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnel {

class GameMap;

// Asks where the IDs go: the first new ID (offered: the first free run long
// enough across the map, below its ID limit) and whether gaps are kept, with a
// line saying what the move will be or why the map cannot take it; its OK
// ("Preview…") waits until the map can.
class MoveIdsDialog : public QDialog {
    Q_OBJECT
public:
    // `ids` ascending, each once; `rowsText` says which rows they are from.
    MoveIdsDialog(const GameMap& map, QList<qint64> ids, const QString& rowsText, QWidget* parent = nullptr);

    // The move typed; none while it is refused or incomplete.
    std::optional<IdMapping> mapping() const;
    void setFirstNewId(qint64 id);
    void setKeepGaps(bool keep);

private:
    // The span the new IDs take: the moved IDs' count, or their whole range with gaps kept.
    qint64 span() const;
    void offerFreeRun();
    void describe();

    const GameMap& m_map;
    QList<qint64> m_ids;
    QLineEdit* m_firstNewId;
    QCheckBox* m_keepGaps;
    QLabel* m_summary;
    QPushButton* m_ok;
    QString m_offered; // the first new ID offered, replaced when gaps are switched while it stands
};

} // namespace tarnel
