#include "document/idedocument.h"

#include <QFileInfo>
#include <QScopedValueRollback>

#include <future>
#include <thread>

namespace tarnel {

namespace {

// Tables at least this big work out their order on a second thread.
constexpr qsizetype parallelSortRows = 100000;

} // namespace

IdeDocument::IdeDocument(QObject* parent) : QObject(parent)
{
    for (LineKind kind : allLineKinds)
        m_tables[size_t(kind)] = new SectionTable(kind, &m_rowIds, this);
}

void IdeDocument::setPathText(EditKey, const QByteArray& text)
{
    if (text == m_pathText)
        return;
    m_pathText = text;
    emit pathTextChanged();
}

void IdeDocument::setOpenFilePath(const QString& path)
{
    if (path == m_openFilePath)
        return;
    m_openFilePath = path;
    emit openFilePathChanged(path);
}

void IdeDocument::setModified(EditKey, bool changed)
{
    if (changed == m_modified)
        return;
    m_modified = changed;
    emit modifiedChanged(changed);
}

void IdeDocument::reset()
{
    emit aboutToReplaceContent();
    const EditKey key;
    table(LineKind::Object).clear(key);
    table(LineKind::TimedObject).clear(key);
    setPathText(key, {});
    table(LineKind::Light).clear(key);
    table(LineKind::Sun).clear(key);
    table(LineKind::Particle).clear(key);
    table(LineKind::PedArea).clear(key);
    m_loadReport = {};
    m_layout = {};
    m_rowIds.reset(1);
    setOpenFilePath(QString());
    emit contentReplaced();
}

void IdeDocument::replaceContent(DocumentContent&& content, const std::optional<QString>& path)
{
    emit aboutToReplaceContent();
    // Rows made from now on are numbered past the file's last line.
    m_rowIds.reset(RowId(content.layout.lineCount + 1));
    m_layout = std::move(content.layout);
    for (LineKind kind : allLineKinds)
        table(kind).replaceAll(EditKey(), std::move(content.table(kind)));
    if (content.pathText != m_pathText) {
        m_pathText = std::move(content.pathText);
        emit pathTextChanged();
    }
    m_loadReport = std::move(content.report);
    if (path)
        setOpenFilePath(*path);
    emit contentReplaced();
}

void IdeDocument::exchangeContent(IdeDocument& other)
{
    const QScopedValueRollback exchanging(m_exchanging, true);
    const QScopedValueRollback otherExchanging(other.m_exchanging, true);
    const bool wasSorted = isSorted();
    const bool otherWasSorted = other.isSorted();
    emit aboutToReplaceContent();
    emit other.aboutToReplaceContent();
    std::swap(m_rowIds, other.m_rowIds);
    std::swap(m_layout, other.m_layout);
    for (LineKind kind : allLineKinds)
        table(kind).exchangeRows(EditKey(), other.table(kind));
    std::swap(m_loadReport, other.m_loadReport);
    const bool samePaths = m_pathText == other.m_pathText;
    std::swap(m_pathText, other.m_pathText);
    std::swap(m_openFilePath, other.m_openFilePath);
    const bool sameFlag = m_modified == other.m_modified;
    std::swap(m_modified, other.m_modified);
    for (IdeDocument* document : {this, &other}) {
        if (!samePaths)
            emit document->pathTextChanged();
        emit document->openFilePathChanged(document->m_openFilePath);
        if (!sameFlag)
            emit document->modifiedChanged(document->m_modified);
    }
    if (wasSorted != otherWasSorted) {
        emit sortedChanged(otherWasSorted);
        emit other.sortedChanged(wasSorted);
    }
    emit contentReplaced();
    emit other.contentReplaced();
}

QString IdeDocument::openFileFolder() const
{
    return isUntitled() ? QString() : QFileInfo(m_openFilePath).absolutePath();
}

ContentView IdeDocument::contentView() const
{
    ContentView view;
    for (LineKind kind : allLineKinds)
        view.tables[size_t(kind)] = &table(kind).rows();
    view.pathText = m_pathText;
    return view;
}

TableOrders IdeDocument::setSorted(EditKey key, bool sorted)
{
    const bool was = isSorted();
    TableOrders newPositions;
    if (!sorted) {
        for (SectionTable* table : m_tables)
            table->setSorted(key, false);
        if (was)
            emit sortedChanged(false);
        return newPositions;
    }
    // The orders are worked out side by side, the biggest table's on a second
    // thread; the tables then take them one after another with their signals.
    SectionTable* biggest = nullptr;
    for (SectionTable* table : m_tables) {
        if (!table->isSorted() && (!biggest || table->rowCount() > biggest->rowCount()))
            biggest = table;
    }
    std::future<QList<qsizetype>> biggestOrder;
    if (biggest && biggest->rowCount() >= parallelSortRows && std::thread::hardware_concurrency() > 1)
        biggestOrder = std::async(std::launch::async, [biggest] { return biggest->rows().sortedOrder(); });
    std::array<QList<qsizetype>, lineKindCount> orders;
    for (LineKind kind : allLineKinds) {
        SectionTable& t = table(kind);
        if (t.isSorted())
            continue;
        orders[size_t(kind)] = &t == biggest && biggestOrder.valid() ? biggestOrder.get() : t.rows().sortedOrder();
    }
    for (LineKind kind : allLineKinds)
        newPositions[size_t(kind)] = table(kind).setSortedWithOrder(orders[size_t(kind)]);
    if (!was)
        emit sortedChanged(true);
    return newPositions;
}

void IdeDocument::unsort(EditKey key, const TableOrders& orders)
{
    const bool was = isSorted();
    // The row now at newPositions[old] goes back to `old`.
    for (LineKind kind : allLineKinds) {
        SectionTable& t = table(kind);
        if (orders[size_t(kind)].size() == t.rowCount())
            t.unsortToOrder(key, orders[size_t(kind)]);
        else
            t.setSorted(key, false);
    }
    if (was)
        emit sortedChanged(false);
}

} // namespace tarnel
