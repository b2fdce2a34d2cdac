#include "paste/pastelinedialog.h"

#include "document/storabletext.h"
#include "paste/pasteline.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace tarnel {

namespace {

// A whole line copied from a text editor usually brings its line break along.
QString withoutTrailingBreaks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == QLatin1Char('\n') || text[end - 1] == QLatin1Char('\r')))
        --end;
    text.truncate(end);
    return text;
}

QLabel* namedLabel(const char* name, const QString& caption, const QFont& font, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    return label;
}

} // namespace

PasteLineDialog::PasteLineDialog(IdeDocument& document, Platform& platform, QWidget* parent)
    : QDialog(parent), m_document(document), m_platform(platform), m_layouts(pasteLayoutsOf(document))
{
    setObjectName(QStringLiteral("pasteLineDialog"));
    setWindowTitle(texts::pasteTitle);
    setModal(true);

    QFont labelFont(QStringLiteral("Verdana"));
    labelFont.setPointSizeF(8.25);

    auto* heading = namedLabel("pasteHeading", texts::pasteHeading, labelFont, this);
    auto* typeCaption = namedLabel("kindCaption", texts::pasteKindCaption, labelFont, this);
    m_kindLabel = namedLabel("kindLabel", pastedKindLabel(std::nullopt), labelFont, this);
    QPalette grey = m_kindLabel->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    m_kindLabel->setPalette(grey);
    m_kindLabel->setWordWrap(true);
    m_kindChoice = new QComboBox(this);
    m_kindChoice->setObjectName(QStringLiteral("kindChoice"));
    m_kindChoice->hide();

    m_line = new QLineEdit(this);
    m_line->setObjectName(QStringLiteral("pastedLine"));
    // A line edit cuts its text at 32,767 characters unless told otherwise; a
    // line of the file has no such limit.
    m_line->setMaxLength(std::numeric_limits<int>::max());
    // Wide enough for a light line of twenty short values.
    m_line->setMinimumWidth(m_line->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 64);

    m_add = new QPushButton(texts::pasteAdd, this);
    m_add->setObjectName(QStringLiteral("addLineButton"));
    m_add->setDefault(true);
    m_cancel = new QPushButton(texts::cancel, this);
    m_cancel->setObjectName(QStringLiteral("cancelLineButton"));
    m_cancel->setAutoDefault(false);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeCaption);
    typeRow->addWidget(m_kindLabel, 1);
    typeRow->addWidget(m_kindChoice);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(typeRow);
    layout->addWidget(m_line);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_line, &QLineEdit::textChanged, this, &PasteLineDialog::classify);
    connect(m_kindChoice, &QComboBox::activated, this, &PasteLineDialog::choose);
    connect(m_add, &QPushButton::clicked, this, &PasteLineDialog::addLine);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    const QString pasted = withoutTrailingBreaks(m_platform.clipboardText());
    // Several lines go into a box that shows them all, ten at a time.
    if (pasted.contains(QLatin1Char('\n')) || pasted.contains(QLatin1Char('\r'))) {
        m_lines = new QPlainTextEdit(this);
        m_lines->setObjectName(QStringLiteral("pastedLines"));
        m_lines->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_lines->setTabChangesFocus(true);
        m_lines->setMinimumWidth(m_line->minimumWidth());
        m_lines->setFixedHeight(m_lines->fontMetrics().lineSpacing() * 10);
        m_lines->setPlainText(pasted);
        // The layout hands back the line field's item, which is ours to delete.
        delete layout->replaceWidget(m_line, m_lines);
        m_line->hide();
        connect(m_lines, &QPlainTextEdit::textChanged, this, &PasteLineDialog::classifyLines);
        classifyLines();
        m_lines->setFocus();
        return;
    }
    m_line->setText(pasted);
    classify(m_line->text());
    m_line->setFocus();
}

void PasteLineDialog::classify(const QString& text)
{
    m_commaCount = countCommas(text);
    m_kinds = pastedLineKinds(text, m_layouts);
    m_kindChoice->clear();
    for (const LineKind kind : m_kinds)
        m_kindChoice->addItem(pastedKindLabel(kind));
    m_kindChoice->setVisible(m_kinds.size() > 1);
    choose(0);
}

void PasteLineDialog::choose(int index)
{
    m_kind = m_kinds.isEmpty() ? std::nullopt : std::optional<LineKind>(m_kinds.value(index));
    m_kindLabel->setText(m_kind ? pastedKindLabel(m_kind) : unknownLineReason(m_line->text(), m_layouts));
}

void PasteLineDialog::classifyLines()
{
    const QStringList lines = pastedLines(m_lines->toPlainText());
    m_commaCount = lines.size() == 1 ? countCommas(lines.first()) : -1;
    m_kind = lines.size() == 1 ? pastedLineKind(lines.first(), m_layouts) : std::nullopt;
    m_kindLabel->setText(pastedLinesLabel(lines, m_layouts));
}

void PasteLineDialog::addLine()
{
    if (m_lines) {
        addLines();
        return;
    }
    const QString text = m_line->text();
    if (!isStorableValue(text)) {
        // Left open so the line can be put right.
        m_platform.showMessage(this, texts::appTitle, texts::unstorableText.arg(texts::pasteLineSubject),
                               Platform::Icon::Information);
        return;
    }
    if (!m_kind) {
        m_platform.showMessage(this, texts::pasteUnknownTitle,
                               texts::pasteUnknown.arg(unknownLineReason(text, m_layouts)),
                               Platform::Icon::Information);
    } else if (const std::optional<qsizetype> row = addPastedLine(m_document, text, m_kind)) {
        ++m_added;
        emit lineAdded(*m_kind, *row);
    }
    accept();
}

void PasteLineDialog::addLines()
{
    const std::optional<PastedLines> pasted = addPastedLines(m_document, pastedLines(m_lines->toPlainText()));
    if (!pasted) {
        m_platform.showMessage(this, texts::appTitle, texts::unstorableText.arg(texts::pasteLineSubject),
                               Platform::Icon::Information);
        return;
    }
    m_added += pasted->added;
    for (const auto& [kind, row] : pasted->lastRows)
        emit lineAdded(kind, row);
    if (pasted->unknown.isEmpty()) {
        accept();
        return;
    }
    // Left in the box, so nothing typed is lost.
    m_lines->setPlainText(pasted->unknown.join(QLatin1Char('\n')));
    m_platform.showMessage(this, texts::pasteUnknownTitle,
                           texts::pasteUnknown.arg(unknownLineReason(pasted->unknown.first(), m_layouts)),
                           Platform::Icon::Information);
}

} // namespace tarnel
