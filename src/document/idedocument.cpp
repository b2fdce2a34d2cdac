#include "document/idedocument.h"

#include "document/idewriter.h"

IdeDocument::IdeDocument(QObject* parent) : QObject(parent)
{
    for (LineKind kind : allLineKinds)
        m_tables[size_t(kind)] = new SectionTable(kind, this);
}

void IdeDocument::setPathText(const QByteArray& text)
{
    if (text == m_pathText)
        return;
    m_pathText = text;
    emit pathTextChanged();
    setFileChanges(true);
}

void IdeDocument::setOpenFilePath(const QString& path)
{
    if (path == m_openFilePath)
        return;
    m_openFilePath = path;
    emit openFilePathChanged(path);
}

void IdeDocument::setFileChanges(bool changed)
{
    if (changed == m_fileChanges)
        return;
    m_fileChanges = changed;
    emit fileChangesChanged(changed);
}

void IdeDocument::clearTables()
{
    table(LineKind::Object).clear();
    table(LineKind::TimedObject).clear();
    setPathText({});
    table(LineKind::Light).clear();
    table(LineKind::Sun).clear();
    table(LineKind::Particle).clear();
    table(LineKind::PedArea).clear();
    emit contentReplaced();
}

void IdeDocument::replaceContent(DocumentContent&& content)
{
    for (LineKind kind : allLineKinds)
        table(kind).replaceAll(std::move(content.table(kind)));
    if (content.pathText != m_pathText) {
        m_pathText = std::move(content.pathText);
        emit pathTextChanged();
    }
    emit contentReplaced();
}

QByteArray IdeDocument::toFileBytes(QByteArrayView header) const
{
    ContentView view;
    for (LineKind kind : allLineKinds)
        view.tables[size_t(kind)] = &table(kind).rows();
    view.pathText = m_pathText;
    return formatIde(view, header);
}

void IdeDocument::setSorted(bool sorted)
{
    for (SectionTable* table : m_tables)
        table->setSorted(sorted);
}
