#pragma once

#include <QPlainTextEdit>

namespace tarnel {

// A placement (IPL) file shown read-only as text, the line asked for selected.
// The map's IPL files are not edited in Tarnel.
class PlacementFileView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PlacementFileView(QWidget* parent = nullptr);

    // Reads `path` and shows it, its `line` (1-based; 0: the first) selected and in view.
    void showFile(const QString& path, qint64 line = 0);
    // Selects `line` of the file shown and brings it into view.
    void goToLine(qint64 line);
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

} // namespace tarnel
