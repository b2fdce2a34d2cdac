#pragma once

#include "document/documentcontent.h"
#include "document/filelayout.h"
#include "document/idewriter.h"
#include "document/linekind.h"
#include "document/loadreport.h"
#include "document/rowidsource.h"
#include "document/sectiontable.h"
#include "texts/texts.h"

#include <QObject>
#include <QString>

#include <array>

namespace tarnel {

// The open document: six section tables, the path store, the file's path and
// the changed flag. The window and the editors change it through its edit
// history (src/history), one undoable step at a time.
class IdeDocument : public QObject {
    Q_OBJECT
public:
    explicit IdeDocument(QObject* parent = nullptr);

    SectionTable& table(LineKind kind) { return *m_tables[size_t(kind)]; }
    const SectionTable& table(LineKind kind) const { return *m_tables[size_t(kind)]; }

    // The path sections' lines, joined by CR LF.
    const QByteArray& pathText() const { return m_pathText; }
    void setPathText(const QByteArray& text);

    // Empty for a document that has no file yet.
    const QString& openFilePath() const { return m_openFilePath; }
    void setOpenFilePath(const QString& path);
    bool isUntitled() const { return m_openFilePath.isEmpty(); }
    // The open file's folder, where file dialogs start; empty when untitled.
    QString openFileFolder() const;
    // The path, or "empty" for an untitled document, as the title shows it.
    QString displayName() const { return isUntitled() ? texts::untitledName : m_openFilePath; }

    // Whether the document differs from its file. Kept by the edit history
    // (src/history), which knows when a change or its undo returns to the file's state.
    bool isModified() const { return m_modified; }
    void setModified(bool changed);

    // Empties every table and the path store.
    void clearTables();
    // Takes over the contents of a file just read (not its load report); the
    // changed flag is not touched.
    void replaceContent(DocumentContent&& content);

    // Whether the document was read from a file whose layout a save can keep.
    bool hasFileLayout() const { return m_layout.read; }
    const FileLayout& fileLayout() const { return m_layout; }
    // Where rows made after the load get their identities, and copies their source.
    const RowIdSource& rowIds() const { return m_rowIds; }
    // The tables' stores and the paths text, as the writers read them.
    ContentView contentView() const;

    void setSorted(bool sorted);

    // What the last load found to report; empty for a new document.
    const LoadReport& loadReport() const { return m_loadReport; }
    void setLoadReport(LoadReport report) { m_loadReport = std::move(report); }

signals:
    void modifiedChanged(bool changed);
    void openFilePathChanged(const QString& path);
    void pathTextChanged();
    // Every table is about to be replaced at once, and was (a load, New or Close).
    void aboutToReplaceContent();
    void contentReplaced();

private:
    RowIdSource m_rowIds;
    std::array<SectionTable*, lineKindCount> m_tables{};
    FileLayout m_layout;
    QByteArray m_pathText;
    QString m_openFilePath;
    bool m_modified = false;
    LoadReport m_loadReport;
};

} // namespace tarnel
