#include "mainwindow/pathsview.h"

#include "document/idedocument.h"
#include "document/pathlines.h"
#include "document/storabletext.h"
#include "history/edithistory.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>

namespace tarnel {

namespace {

// What the line below the text says of a line the reader will not keep as a path.
QString lostLineNotice(const LostPathLineAt& lost)
{
    const QString line = texts::pathsLineNumber.arg(lost.lineNumber);
    switch (lost.reason) {
    case LostPathLine::Blank: return line + texts::pathsLineBlank;
    case LostPathLine::Comment: return line + texts::pathsLineComment;
    case LostPathLine::SectionName: return line + texts::pathsLineSectionName;
    case LostPathLine::SectionStart: return line + texts::pathsLineSectionStart;
    case LostPathLine::End: return line + texts::pathsLineEnd;
    }
    return QString();
}

QString noticeFor(const QByteArray& pathText)
{
    const std::optional<LostPathLineAt> lost = firstLostPathLine(pathText);
    return lost ? lostLineNotice(*lost) : QString();
}

} // namespace

PathsView::PathsView(IdeDocument& document, Platform& platform, QWidget* parent)
    : QPlainTextEdit(parent), m_document(document), m_platform(platform), m_notice(new QLabel(this))
{
    setObjectName(QStringLiteral("pathsView"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The document's history undoes typing here too: one stack for the whole document.
    setUndoRedoEnabled(false);

    m_notice->setObjectName(QStringLiteral("pathNotice"));
    m_notice->setTextFormat(Qt::PlainText);
    // A message about the text, not part of it.
    m_notice->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    m_notice->setAutoFillBackground(true);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->setContentsMargins(4, 2, 4, 2);
    m_notice->hide();

    connect(&document, &IdeDocument::pathTextChanged, this, [this] {
        if (m_filling)
            return;
        m_stale = true;
        if (isVisible())
            fillFromDocument();
    });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            storeIntoDocument();
    });
}

QString PathsView::notice() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void PathsView::showEvent(QShowEvent* event)
{
    if (m_stale)
        fillFromDocument();
    QPlainTextEdit::showEvent(event);
}

void PathsView::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    placeNotice();
}

void PathsView::fillFromDocument()
{
    m_filling = true;
    QString text = QString::fromLatin1(m_document.pathText());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(text);
    m_stale = false;
    m_unstorable = false;
    m_filling = false;
    showNotice(noticeFor(m_document.pathText()));
}

bool PathsView::event(QEvent* event)
{
    // Left to the window's Undo and Redo, which the text would otherwise keep for itself.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            event->ignore();
            return false;
        }
    }
    return QPlainTextEdit::event(event);
}

void PathsView::storeIntoDocument()
{
    // Raw text: plain text would turn no-break spaces of the file into spaces.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    if (!isLatin1(text)) {
        // Kept in the view to be put right; told once, when it first happens.
        showNotice(texts::unstorableText.arg(texts::pathsSubject) + texts::pathsKeptAsWere);
        if (!m_unstorable) {
            m_unstorable = true;
            m_platform.showMessage(this, texts::appTitle, texts::unstorableText.arg(texts::pathsSubject),
                                   Platform::Icon::Information);
        }
        return;
    }
    m_unstorable = false;
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    const QByteArray bytes = text.toLatin1();
    m_filling = true;
    EditHistory::of(m_document).setPathText(bytes);
    m_filling = false;
    showNotice(noticeFor(bytes));
}

void PathsView::showNotice(const QString& text)
{
    if (text == notice())
        return;
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
    setViewportMargins(0, 0, 0, text.isEmpty() ? 0 : m_notice->sizeHint().height());
    placeNotice();
}

void PathsView::placeNotice()
{
    // In the margin left below the text, inside the frame.
    const QRect text = viewport()->geometry();
    m_notice->setGeometry(text.left(), text.bottom() + 1, text.width(), viewportMargins().bottom());
}

} // namespace tarnel
