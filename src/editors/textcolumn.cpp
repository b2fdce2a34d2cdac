#include "editors/textcolumn.h"

#include <QLineEdit>

namespace tarnel {

TextColumn::TextColumn(QLineEdit* field, const QString& label, QObject* parent)
    : ColumnBinding(parent), m_field(field), m_label(label)
{
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_held.fieldChanged(text);
        emit changed();
    });
}

void TextColumn::load(const QString& text)
{
    const QString valueBefore = value();
    const QString textBefore = m_field->text();
    m_held.hold(text, m_field->maxLength());
    m_field->setText(text);
    // Another long value with the same start changes no text, which Qt does not report.
    if (m_field->text() == textBefore && value() != valueBefore)
        emit changed();
}

QList<QWidget*> TextColumn::focusWidgets() const
{
    return {m_field};
}

QString TextColumn::value() const
{
    return m_held.valueFor(m_field->text());
}

} // namespace tarnel
