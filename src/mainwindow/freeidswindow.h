#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tarnel {

class IdeDocument;
class DocumentIds;
class OpenMap;
class Platform;

// The window of Edit > "Free IDs…": the first runs of unused object IDs long
// enough for new objects, in the open file and any other files or folders the
// user adds (a map is many files). Not modal, a tool window kept above the
// main window; it follows edits of the file. Esc closes it.
class FreeIdsWindow : public QWidget {
    Q_OBJECT
public:
    FreeIdsWindow(IdeDocument& document, Platform& platform, QWidget* parent = nullptr);

    // How many runs the list shows at most.
    static constexpr qsizetype blocksShown = 20;

    // With a map open, every ID of its files counts and none at or above its
    // ID limit is offered; the limit is shown.
    void followMap(const OpenMap& map);

    void addFiles();
    void addFolder();
    void removeSelected();
    // Puts the start of the first run on the clipboard.
    void copyFirst();

protected:
    // Worked out on showing: a closed window follows no edits.
    void showEvent(QShowEvent* event) override;

private:
    // The IDs of an added file, or of every IDE file of an added folder.
    struct Source {
        QString path;
        QList<qint64> ids;          // ascending
        QList<qint64> commentedIds; // of commented-out lines, ascending
        QStringList unreadable;     // why a file could not be read, or a folder's files that could not
    };

    void addSource(const QString& path, bool folder);
    void scheduleRecompute();
    void recompute();
    // The IDs used, ascending, and the first ID not to offer (none: no limit).
    QList<qint64> usedIds() const;
    std::optional<qint64> idLimit() const;

    DocumentIds& m_ids; // holds the document's ID index
    Platform& m_platform;
    const IdeDocument& m_document;
    QTimer* m_pending;
    QSpinBox* m_count;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QCheckBox* m_freeCommented;
    QLabel* m_limit;
    const OpenMap* m_map = nullptr;
    QListWidget* m_sources;
    QPushButton* m_remove;
    QListWidget* m_blocks;
    QPushButton* m_copy;
    QList<Source> m_sourceIds; // one per line of m_sources
    QString m_firstStart;      // empty when no run fits
};

} // namespace tarnel
