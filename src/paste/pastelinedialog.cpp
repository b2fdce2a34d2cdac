#include "paste/pastelinedialog.h"

#include "paste/pasteline.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
    : QDialog(parent), m_document(document), m_platform(platform)
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

    m_line = new QLineEdit(this);
    m_line->setObjectName(QStringLiteral("pastedLine"));
    // A line edit cuts its text at 32,767 characters unless told otherwise; a
    // line of the file has no such limit.
    m_line->setMaxLength(std::numeric_limits<int>::max());
    // Wide enough for a light line of twenty short values.
    m_line->setMinimumWidth(m_line->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 64);

    m_add = new QPushButton(texts::pasteAdd, this);
    m_add->setObjectName(QStringLiteral("addLine"));
    m_add->setDefault(true);
    m_cancel = new QPushButton(texts::cancel, this);
    m_cancel->setObjectName(QStringLiteral("cancelLine"));
    m_cancel->setAutoDefault(false);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeCaption);
    typeRow->addWidget(m_kindLabel, 1);

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
    connect(m_add, &QPushButton::clicked, this, &PasteLineDialog::addLine);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_line->setText(withoutTrailingBreaks(m_platform.clipboardText()));
    classify(m_line->text());
    m_line->setFocus();
}

void PasteLineDialog::classify(const QString& text)
{
    m_commaCount = countCommas(text);
    m_kind = pastedLineKind(text);
    m_kindLabel->setText(pastedKindLabel(m_kind));
}

void PasteLineDialog::addLine()
{
    const QString text = m_line->text();
    if (!isStorableLine(text)) {
        // Left open so the line can be put right.
        m_platform.showMessage(this, texts::appTitle, texts::unstorableText.arg(texts::pasteLineSubject),
                               Platform::Icon::Information);
        return;
    }
    if (!m_kind) {
        m_platform.showMessage(this, texts::pasteUnknownTitle, texts::pasteUnknown, Platform::Icon::Information);
    } else if (const std::optional<qsizetype> row = addPastedLine(m_document, text)) {
        emit lineAdded(*m_kind, *row);
    }
    accept();
}

} // namespace tarnel
