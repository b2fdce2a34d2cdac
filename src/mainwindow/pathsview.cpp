#include "mainwindow/pathsview.h"

#include "document/idedocument.h"

#include <QFontDatabase>

PathsView::PathsView(IdeDocument& document, QWidget* parent)
    : QPlainTextEdit(parent), m_document(document)
{
    setObjectName(QStringLiteral("pathText"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
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

void PathsView::showEvent(QShowEvent* event)
{
    if (m_stale)
        fillFromDocument();
    QPlainTextEdit::showEvent(event);
}

void PathsView::fillFromDocument()
{
    m_filling = true;
    QString text = QString::fromLatin1(m_document.pathText());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(text);
    m_stale = false;
    m_filling = false;
}

void PathsView::storeIntoDocument()
{
    // Raw text: plain text would turn no-break spaces of the file into spaces.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    m_filling = true;
    m_document.setPathText(text.toLatin1());
    m_filling = false;
}
