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
#include <optional>

namespace tarnel {

// The open document: six section tables, the path store, the file's path and
// the changed flag. The window and the editors change it through its edit
// history (src/history), one undoable step at a time: the mutators take an
// EditKey. A load (replaceContent) and reset() are the document's own way in.
// newPositions[old] of each table's reorder, in table order.
using TableOrders = std::array<QList<qsizetype>, lineKindCount>;

class IdeDocument : public QObject {
    Q_OBJECT
public:
    explicit IdeDocument(QObject* parent = nullptr);

    SectionTable& table(LineKind kind) { return *m_tables[size_t(kind)]; }
    const SectionTable& table(LineKind kind) const { return *m_tables[size_t(kind)]; }

    // The path sections' lines, joined by CR LF.
    const QByteArray& pathText() const { return m_pathText; }
    void setPathText(EditKey, const QByteArray& text);

    // Empty for a document that has no file yet.
    const QString& openFilePath() const { return m_openFilePath; }
    // The file the document is saved to from now on (Save as, a new file named at start-up).
    void setOpenFilePath(const QString& path);
    bool isUntitled() const { return m_openFilePath.isEmpty(); }
    // The open file's folder, where file dialogs start; empty when untitled.
    QString openFileFolder() const;
    // The path, or "empty" for an untitled document, as the title shows it.
    QString displayName() const { return isUntitled() ? texts::untitledName : m_openFilePath; }

    // Whether the document differs from its file. Kept by the edit history
    // (src/history), which knows when a change or its undo returns to the file's state.
    bool isModified() const { return m_modified; }
    void setModified(EditKey, bool changed);

    // An untitled empty document: every table, the path store, the load report
    // and the path emptied, announced once.
    void reset();
    // Takes over the contents of a file just read with its load report and,
    // when given, its path; announced once all of them are set. The changed
    // flag is the history's, which forgets its steps as the load begins.
    void replaceContent(DocumentContent&& content, const std::optional<QString>& path = std::nullopt);
    // Trades everything with `other` (rows with their identities, sorting,
    // layout, paths text, load report, path, changed flag): a map's files
    // change places in the window's document. Announced on both as a content
    // replacement, during which isExchangingContent() tells it is no load.
    void exchangeContent(IdeDocument& other);
    bool isExchangingContent() const { return m_exchanging; }

    // Whether the document was read from a file whose layout a save can keep.
    bool hasFileLayout() const { return m_layout.read; }
    const FileLayout& fileLayout() const { return m_layout; }
    // Where rows made after the load get their identities, and copies their source.
    const RowIdSource& rowIds() const { return m_rowIds; }
    // The tables' stores and the paths text, as the writers read them.
    ContentView contentView() const;

    bool isSorted() const { return table(LineKind::Object).isSorted(); }
    // Every table sorted or not; returns the reorders sorting on made.
    TableOrders setSorted(EditKey, bool sorted);
    // Sorting off, each table's rows put back where `orders` (from setSorted) took them from.
    void unsort(EditKey, const TableOrders& orders);

    // What the last load found to report; empty for a new document.
    const LoadReport& loadReport() const { return m_loadReport; }

signals:
    void modifiedChanged(bool changed);
    void openFilePathChanged(const QString& path);
    void pathTextChanged();
    // Every table is about to be replaced at once, and was (a load, New or
    // Close): content, load report and path are all set when it comes.
    void aboutToReplaceContent();
    void contentReplaced();
    void sortedChanged(bool sorted);

private:
    RowIdSource m_rowIds;
    std::array<SectionTable*, lineKindCount> m_tables{};
    FileLayout m_layout;
    QByteArray m_pathText;
    QString m_openFilePath;
    bool m_modified = false;
    bool m_exchanging = false;
    LoadReport m_loadReport;
};

} // namespace tarnel
