#include "editors/choicefield.h"

#include "editors/editornumbers.h"

#include <QComboBox>
#include <QLineEdit>

namespace tarnel {

ChoiceField::ChoiceField(const Design& design, QWidget* parent)
    : ColumnBinding(parent), m_list(new QComboBox(parent)), m_box(new QLineEdit(parent)),
      m_boxLabel(design.boxLabel), m_customIndex(int(design.entries.size()) - 1)
{
    m_list->setObjectName(QString::fromLatin1(design.listName));
    m_list->setEditable(false);
    m_list->addItems(design.entries);
    m_list->setCurrentIndex(-1);
    m_box->setObjectName(QString::fromLatin1(design.boxName));
    m_box->setMaxLength(design.boxLimit);
    m_box->setText(design.boxText);
    // Nothing is chosen yet, so the box does not count.
    m_box->setEnabled(false);

    connect(m_list, &QComboBox::currentIndexChanged, this, &ChoiceField::chosen);
    connect(m_box, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_held.fieldChanged(text);
        emit changed();
    });
}

bool ChoiceField::isCustomChosen() const
{
    return m_list->currentIndex() == m_customIndex;
}

void ChoiceField::load(const QString& text)
{
    const std::optional<double> number = decimalNumber(text);
    // The rounded value decides: 11.4 is entry 11, while 11.5 rounds to a light's custom 12.
    const qint64 entry = number ? roundHalfEven(*number) : -1;
    if (number && *number >= 0.0 && entry < m_customIndex) {
        m_list->setCurrentIndex(int(entry));
    } else {
        m_list->setCurrentIndex(m_customIndex);
        m_held.hold(text, m_box->maxLength());
        m_box->setText(text);
    }
    // Choosing the entry already chosen reports nothing; the box must follow all the same.
    chosen();
}

QString ChoiceField::value() const
{
    return isCustomChosen() ? boxValue() : QString::number(m_list->currentIndex());
}

QString ChoiceField::preview() const
{
    if (!isCustomChosen())
        return value();
    const QString text = boxValue();
    const std::optional<qint64> whole = wholeNumber(text);
    return whole ? QString::number(*whole) : text;
}

QList<QWidget*> ChoiceField::focusWidgets() const
{
    return {m_list, m_box};
}

QLineEdit* ChoiceField::requiredField() const
{
    return isCustomChosen() ? m_box : nullptr;
}

void ChoiceField::chosen()
{
    m_box->setEnabled(isCustomChosen());
    emit changed();
}

QString ChoiceField::boxValue() const
{
    return m_held.valueFor(m_box->text());
}

} // namespace tarnel
