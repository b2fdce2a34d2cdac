#include "mainwindow/problemsmodel.h"

#include "texts/texts.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace tarnel {

namespace {

bool sameFinding(const MapFinding& a, const MapFinding& b)
{
    return a.severity == b.severity && a.line == b.line && a.file == b.file && a.path == b.path &&
           a.message == b.message;
}

qsizetype errorsIn(const QList<MapFinding>& findings, qsizetype first, qsizetype end)
{
    return std::count_if(findings.begin() + first, findings.begin() + end,
                         [](const MapFinding& f) { return f.severity == Severity::Error; });
}

} // namespace

ProblemsModel::ProblemsModel(QObject* parent)
    : QAbstractTableModel(parent), m_errorIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical)),
      m_warningIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning))
{
}

void ProblemsModel::setFindings(QList<MapFinding> findings)
{
    // The rows both lists share at the start and at the end stay; the middle is replaced.
    const qsizetype shorter = std::min(m_findings.size(), findings.size());
    qsizetype head = 0;
    while (head < shorter && sameFinding(m_findings[head], findings[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           sameFinding(m_findings[m_findings.size() - 1 - tail], findings[findings.size() - 1 - tail]))
        ++tail;
    const qsizetype oldEnd = m_findings.size() - tail;
    const qsizetype newEnd = findings.size() - tail;
    if (head == oldEnd && head == newEnd)
        return;
    m_errors += errorsIn(findings, head, newEnd) - errorsIn(m_findings, head, oldEnd);
    const qsizetype kept = std::min(oldEnd, newEnd); // rows from head to here change in place
    if (newEnd < oldEnd) {
        beginRemoveRows({}, int(newEnd), int(oldEnd - 1));
        m_findings = std::move(findings);
        endRemoveRows();
    } else if (newEnd > oldEnd) {
        beginInsertRows({}, int(oldEnd), int(newEnd - 1));
        m_findings = std::move(findings);
        endInsertRows();
    } else {
        m_findings = std::move(findings);
    }
    if (kept > head)
        emit dataChanged(index(int(head), 0), index(int(kept - 1), ColumnCount - 1));
    emit countsChanged();
}

int ProblemsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_findings.size());
}

int ProblemsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const MapFinding& finding = m_findings[index.row()];
    const bool error = finding.severity == Severity::Error;
    switch (index.column()) {
    case SeverityColumn:
        if (role == Qt::DisplayRole)
            return error ? texts::problemError : texts::problemWarning;
        if (role == Qt::DecorationRole)
            return error ? m_errorIcon : m_warningIcon;
        return {};
    case LocationColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return finding.line > 0 ? texts::problemAt.arg(finding.path).arg(finding.line) : finding.path;
        return {};
    case MessageColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return finding.message;
        return {};
    default: return {};
    }
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return texts::problemColumns[size_t(section)];
}

} // namespace tarnel
