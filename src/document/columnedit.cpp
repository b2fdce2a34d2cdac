#include "document/columnedit.h"

#include "document/idetext.h"
#include "document/rowcells.h"
#include "document/sectiontable.h"
#include "document/storabletext.h"
#include "texts/texts.h"

#include <cmath>

namespace tarnel {

namespace {

bool isObjectKind(LineKind kind)
{
    return kind == LineKind::Object || kind == LineKind::TimedObject;
}

// The cell holds a list of values (the draw distances), where commas belong.
bool isListColumn(LineKind kind, int column)
{
    return isObjectKind(kind) && column == drawDistanceColumn;
}

class ColumnEditor {
public:
    ColumnEditor(const SectionTable& table, const ColumnEdit& edit)
        : m_table(table), m_edit(edit), m_kind(table.kind()),
          m_field(texts::fieldSubject.arg(fieldNamesOf(m_kind).value(edit.column)))
    {
    }

    // Why the edit's own texts cannot be written, before any row is looked at.
    QString refusalOfEdit() const
    {
        switch (m_edit.mode) {
        case ColumnEdit::Mode::Set: return refusalOfText(m_edit.value, true);
        case ColumnEdit::Mode::Replace:
            // An empty replacement may empty part of a value; the values made are checked one by one.
            if (QString refusal = refusalOfText(m_edit.find, false); !refusal.isEmpty())
                return refusal;
            return refusalOfText(m_edit.replacement, false);
        case ColumnEdit::Mode::Multiply:
            return std::isfinite(m_edit.factor)
                       ? QString()
                       : texts::notANumber.arg(texts::fieldSubject.arg(texts::setColumnMultiply),
                                               QString::number(m_edit.factor));
        }
        return {};
    }

    // The row's new values; empty when it keeps them. Sets m_refusal when a value is refused.
    QList<QByteArray> rowValues(qsizetype row)
    {
        const RowStore& rows = m_table.rows();
        const qsizetype count = rows.valueCount(row);
        const CellSpan span =
            cellSpan(m_kind, count, isLaterLayoutRow(m_kind, count, m_table.isLaterLayout()), m_edit.column);
        if (span.count == 0)
            return {};
        QList<QByteArray> values = rows.values(row);
        // A commented row's marks stay in front of its first value.
        QByteArray marks;
        if (span.first == 0 && rows.isCommented(row)) {
            marks = values[0].left(idetext::commentMarksLength(values[0]));
            values[0].remove(0, marks.size());
        }
        QList<QByteArray> cell = values.mid(span.first, span.count);
        QList<QByteArray> changed = changedCell(cell);
        if (!m_refusal.isEmpty())
            return {};
        if (changed == cell)
            return {};
        values.remove(span.first, span.count);
        for (qsizetype i = 0; i < changed.size(); ++i)
            values.insert(span.first + i, changed[i]);
        values[0].prepend(marks);
        return values;
    }

    const QString& refusal() const { return m_refusal; }

private:
    QString refusalOfText(const QString& text, bool wholeCell) const
    {
        if (!isStorableValue(text))
            return texts::unstorableText.arg(m_field);
        if (text.contains(u',') && !isListColumn(m_kind, m_edit.column))
            return texts::commaInValue.arg(m_field);
        if (!wholeCell)
            return {};
        const QStringList pieces = isListColumn(m_kind, m_edit.column) ? text.split(u',') : QStringList{text};
        for (const QString& piece : pieces) {
            if (QString refusal = refusalOfValue(piece.trimmed().toLatin1()); !refusal.isEmpty())
                return refusal;
        }
        return {};
    }

    // The editors refuse a blank value, and a choice list's box holds only so many characters.
    QString refusalOfValue(const QByteArray& value) const
    {
        if (idetext::isBlank(value))
            return texts::missingValue;
        if (m_edit.choiceLimit > 0 && value.size() > m_edit.choiceLimit)
            return texts::valueTooLong.arg(m_field).arg(m_edit.choiceLimit);
        return {};
    }

    QList<QByteArray> changedCell(const QList<QByteArray>& cell)
    {
        QList<QByteArray> out;
        switch (m_edit.mode) {
        case ColumnEdit::Mode::Set:
            if (m_setCell.isEmpty()) {
                const QByteArray text = m_edit.value.toLatin1();
                for (const QByteArray& piece : isListColumn(m_kind, m_edit.column) ? text.split(',') : QList{text})
                    m_setCell.append(idetext::trimSpaces(piece).toByteArray());
            }
            return m_setCell;
        case ColumnEdit::Mode::Replace:
            for (const QByteArray& value : cell)
                out.append(replaced(value));
            break;
        case ColumnEdit::Mode::Multiply:
            for (const QByteArray& value : cell)
                out.append(multiplied(value));
            break;
        }
        for (const QByteArray& value : out) {
            if (m_refusal.isEmpty())
                m_refusal = refusalOfValue(value);
        }
        return out;
    }

    QByteArray replaced(const QByteArray& value) const
    {
        const QByteArray find = m_edit.find.toLatin1();
        const QByteArray replacement = m_edit.replacement.toLatin1();
        if (m_edit.wholeValue)
            return value == find ? idetext::trimSpaces(replacement).toByteArray() : value;
        if (find.isEmpty())
            return value;
        return idetext::trimSpaces(QByteArray(value).replace(find, replacement)).toByteArray();
    }

    QByteArray multiplied(const QByteArray& value)
    {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number)) {
            if (m_refusal.isEmpty())
                m_refusal = texts::notANumber.arg(m_field, QString::fromLatin1(value));
            return value;
        }
        const double product = number * m_edit.factor;
        const bool whole = !value.contains('.') && !value.contains('e') && !value.contains('E');
        if (whole)
            return QByteArray::number(qint64(std::llround(product)));
        return writtenNumber(product);
    }

    const SectionTable& m_table;
    const ColumnEdit& m_edit;
    LineKind m_kind;
    QString m_field;
    QList<QByteArray> m_setCell;
    QString m_refusal;
};

} // namespace

QByteArray writtenNumber(double number)
{
    QByteArray text = QByteArray::number(number, 'f', 6);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArrayLiteral("0") : text;
}

ColumnEditResult editColumn(const SectionTable& table, const QList<qsizetype>& rows, const ColumnEdit& edit)
{
    ColumnEditResult result;
    ColumnEditor editor(table, edit);
    result.refusal = editor.refusalOfEdit();
    if (!result.refusal.isEmpty())
        return result;
    for (qsizetype row : rows) {
        QList<QByteArray> values = editor.rowValues(row);
        if (!editor.refusal().isEmpty()) {
            result.refusal = editor.refusal();
            result.rows.clear();
            result.values.clear();
            return result;
        }
        if (values.isEmpty())
            continue;
        result.rows.append(row);
        result.values.append(std::move(values));
    }
    return result;
}

} // namespace tarnel
