#include "document/sectiontable.h"

SectionTable::SectionTable(LineKind kind, QObject* parent) : QObject(parent), m_kind(kind) {}

qsizetype SectionTable::appendRow(const QList<QByteArray>& values, quint8 style)
{
    const QByteArrayView first = values.isEmpty() ? QByteArrayView() : QByteArrayView(values.front());
    const qsizetype at = m_sorted ? m_rows.sortedPosition(first) : m_rows.size();
    emit rowAboutToBeInserted(at);
    m_rows.insert(at, values, style);
    emit rowInserted(at);
    return at;
}

qsizetype SectionTable::setRowValues(qsizetype row, const QList<QByteArray>& values)
{
    m_rows.replaceValues(row, values);
    emit rowChanged(row);
    if (!m_sorted)
        return row;
    const qsizetype to = m_rows.sortedPositionExcluding(row);
    if (to != row) {
        emit rowAboutToMove(row, to);
        m_rows.move(row, to);
        emit rowMoved(row, to);
    }
    return to;
}

void SectionTable::setRowStyle(qsizetype row, quint8 style)
{
    if (m_rows.style(row) == style)
        return;
    m_rows.setStyle(row, style);
    emit rowChanged(row);
}

void SectionTable::removeRow(qsizetype row)
{
    emit rowAboutToBeRemoved(row);
    m_rows.remove(row);
    emit rowRemoved(row);
}

void SectionTable::clear()
{
    if (m_rows.isEmpty())
        return;
    emit aboutToBeReset();
    m_rows.clear();
    emit wasReset();
}

void SectionTable::replaceAll(RowStore&& rows)
{
    emit aboutToBeReset();
    m_rows = std::move(rows);
    if (m_sorted)
        m_rows.sortByFirstValue();
    emit wasReset();
}

void SectionTable::setSorted(bool sorted)
{
    if (m_sorted == sorted)
        return;
    m_sorted = sorted;
    if (sorted)
        sortNow();
}

void SectionTable::sortNow()
{
    emit aboutToBeReordered();
    const QList<qsizetype> newPositions = m_rows.sortByFirstValue();
    emit reordered(newPositions);
}
