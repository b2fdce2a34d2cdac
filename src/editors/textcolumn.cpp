#include "editors/textcolumn.h"

#include <QLineEdit>

TextColumn::TextColumn(QLineEdit* field, const QString& label, QObject* parent)
    : ColumnBinding(parent), m_field(field), m_label(label)
{
    connect(field, &QLineEdit::textChanged, this, &ColumnBinding::changed);
}

void TextColumn::load(const QString& text)
{
    m_field->setText(text);
}

QString TextColumn::value() const
{
    return m_field->text();
}
