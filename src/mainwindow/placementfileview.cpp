#include "mainwindow/placementfileview.h"

#include <QFile>
#include <QFontDatabase>
#include <QTextBlock>

namespace tarnel {

PlacementFileView::PlacementFileView(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("placementFileView"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Read-only, yet the caret shows where the line asked for is.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void PlacementFileView::showFile(const QString& path, qint64 line)
{
    if (path != m_path) {
        m_path = path;
        QFile file(path);
        // Placement files are Latin-1 text, as the IDE files are; one that cannot be read shows empty.
        setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString());
        setWindowTitle(path);
    }
    goToLine(line);
}

void PlacementFileView::goToLine(qint64 line)
{
    const QTextBlock block = document()->findBlockByNumber(int(qMax<qint64>(line, 1) - 1));
    QTextCursor cursor(block.isValid() ? block : document()->firstBlock());
    if (line > 0)
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    centerCursor();
}

} // namespace tarnel
