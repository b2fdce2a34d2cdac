#include "editors/lineeditor.h"

#include "history/edithistory.h"

#include "document/idedocument.h"
#include "document/idetext.h"
#include "document/rowcells.h"
#include "document/rowtracker.h"
#include "document/storabletext.h"
#include "editors/columnbinding.h"
#include "editors/textcolumn.h"
#include "editors/toolwindow.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnel {

namespace {

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Empty or nothing but spaces, by the format's rule; a character outside
// Latin-1 becomes '?', which is not blank either.
bool isBlank(const QString& text)
{
    return idetext::isBlank(text.toLatin1());
}

} // namespace

LineEditor::LineEditor(const Design& design, IdeDocument& document, LineKind kind, Platform& platform,
                       QWidget* owner)
    : QWidget(owner), m_design(design), m_document(document), m_kind(kind), m_platform(platform),
      m_tracker(new RowTracker(document.table(kind), this)), m_columns(size_t(fieldCountOf(kind)), nullptr)
{
    makeToolWindow(*this);
    setObjectName(QString::fromLatin1(design.objectName));
    setWindowTitle(design.title);

    m_frame = new QGroupBox(design.frameCaption, this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_preview = new QLineEdit(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setReadOnly(true);
    // Still selectable with the mouse, but Tab goes from the fields straight to the buttons.
    m_preview->setFocusPolicy(Qt::ClickFocus);
    QPalette grey = m_preview->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    m_preview->setPalette(grey);

    m_cancel = namedButton(QStringLiteral("cancelButton"), texts::cancelButton, this);
    m_confirm = namedButton(QStringLiteral("confirmButton"), texts::updateButton, this);
    m_confirm->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &LineEditor::finish);
    connect(m_confirm, &QPushButton::clicked, this, &LineEditor::confirm);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_confirm);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame, 1);
    layout->addWidget(m_preview);
    layout->addLayout(buttons);

    // The tracker hears of every move first, so the caption reads its new row.
    SectionTable& table = document.table(kind);
    connect(&table, &SectionTable::rowInserted, this, &LineEditor::showRowNumber);
    connect(&table, &SectionTable::rowsAppended, this, &LineEditor::showRowNumber);
    connect(&table, &SectionTable::rowsRemoved, this, &LineEditor::showRowNumber);
    connect(&table, &SectionTable::rowMoved, this, &LineEditor::showRowNumber);
    connect(&table, &SectionTable::reordered, this, &LineEditor::showRowNumber);
    // A load, New or Close replaces the document: the row this editor came from is gone.
    connect(&document, &IdeDocument::contentReplaced, m_tracker, &RowTracker::forget);
}

LineEditor::~LineEditor() = default;

void LineEditor::loadRow(qsizetype row)
{
    const SectionTable& table = m_document.table(m_kind);
    const RowStore& rows = table.rows();
    if (row < 0 || row >= rows.size())
        return;
    m_tracker->track(row);
    showRowNumber();
    setLaterLayout(isLaterLayoutRow(m_kind, rows.valueCount(row), table.isLaterLayout()));
    // Each field holds what its cell shows; a short row leaves its missing columns empty.
    for (size_t column = 0; column < m_columns.size(); ++column) {
        m_columns[column]->load(
            QString::fromLatin1(cellText(rows, row, m_kind, table.isLaterLayout(), int(column))));
    }
    m_filledWith = currentValues();
    rebuildPreview();
}

void LineEditor::enterAddMode()
{
    m_tracker->forget();
    // A new line follows the layout the table was read in.
    setLaterLayout(m_document.table(m_kind).isLaterLayout());
    m_mode = Mode::Add;
    m_confirm->setText(m_design.addCaption);
    m_frame->setTitle(texts::newLineFrame);
}

std::optional<qsizetype> LineEditor::followedRow() const
{
    return m_tracker->row();
}

bool LineEditor::confirm()
{
    if (missingValue()) {
        m_platform.showMessage(this, texts::appTitle, texts::missingValue, Platform::Icon::Information);
        return false;
    }
    if (unstorableValue())
        return false;
    const QList<QByteArray> values = lineValues();
    EditHistory& history = EditHistory::of(m_document);
    if (m_mode == Mode::Add) {
        history.addRow(m_kind, values);
        emit statusMessage(m_design.addedStatus);
    } else {
        if (!m_tracker->row()) {
            m_platform.showMessage(this, texts::appTitle, texts::rowGone, Platform::Icon::Information);
            return false;
        }
        const qsizetype row = *m_tracker->row();
        history.setRow(m_kind, row, writtenBack(row, values));
        emit statusMessage(m_design.updatedStatus);
        if (m_tracker->row())
            emit rowConfirmed(*m_tracker->row());
    }
    finish();
    return true;
}

bool LineEditor::hasUnconfirmedChanges() const
{
    return currentValues() != m_filledWith;
}

void LineEditor::bind(int column, ColumnBinding* binding)
{
    Q_ASSERT(column >= 0 && size_t(column) < m_columns.size() && !m_columns[size_t(column)]);
    m_columns[size_t(column)] = binding;
    connect(binding, &ColumnBinding::changed, this, &LineEditor::rebuildPreview);
}

LineEditor::LabelledField LineEditor::addTextField(int column, const char* name, const QString& caption,
                                                   const QString& designed)
{
    auto* field = new QLineEdit(designed, m_frame);
    field->setObjectName(QString::fromLatin1(name));
    // Room for a coordinate or a file name without scrolling.
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    auto* label = new QLabel(caption, m_frame);
    label->setBuddy(field);
    bind(column, new TextColumn(field, caption, this));
    return {label, field};
}

QGridLayout* LineEditor::captionedRows(const QList<LabelledField>& rows)
{
    auto* grid = new QGridLayout;
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].label, i, 0);
        grid->addWidget(rows[i].field, i, 1);
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

void LineEditor::closeEvent(QCloseEvent* event)
{
    event->accept();
    finish();
}

void LineEditor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Every field exists by the first showing, filled with its designed value.
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    if (m_filledWith.isEmpty())
        m_filledWith = currentValues();
    setUpTabOrder();
}

void LineEditor::keyPressEvent(QKeyEvent* event)
{
    // Fields and lists leave these keys to the window, as a dialog's fields do.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
            break;
        // A focused button other than confirm (Cancel, Change) is pressed rather than confirming.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button != m_confirm)
            button->click();
        else
            confirm();
        return;
    case Qt::Key_Escape:
        if (event->modifiers() != Qt::NoModifier)
            break;
        finish();
        return;
    default: break;
    }
    QWidget::keyPressEvent(event);
}

QStringList LineEditor::currentValues() const
{
    QStringList values;
    for (const ColumnBinding* column : m_columns)
        values << (column ? column->value() : QString());
    return values;
}

void LineEditor::setUpTabOrder()
{
    QList<QWidget*> chain;
    for (size_t column = 0; column < m_columns.size(); ++column) {
        chain << m_columns[column]->focusWidgets();
        const auto after = m_tabAfter.find(int(column));
        if (after != m_tabAfter.end())
            chain << after->second;
    }
    chain << m_confirm << m_cancel;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    chain.first()->setFocus(Qt::TabFocusReason);
}

void LineEditor::rebuildPreview()
{
    // UTF-8 keeps every comma and space a byte of its own, so the line splits
    // into values as it will be written, whatever else was typed.
    QList<QByteArray> cells;
    for (const ColumnBinding* column : m_columns) {
        // Still being built: the designed values are not a change.
        if (!column)
            return;
        cells << column->preview().toUtf8();
    }
    const QList<QByteArray> values = valuesFromCells(m_kind, cells, m_laterLayout);
    m_preview->setText(QString::fromUtf8(QByteArrayList(values).join(", ")));
    // A long line would show its end; the ID at the start is what tells lines apart.
    m_preview->setCursorPosition(0);
}

void LineEditor::showRowNumber()
{
    const std::optional<qsizetype> row = m_tracker->row();
    if (!row)
        return;
    m_frame->setTitle(texts::lineFrame.arg(*row + 1));
}

void LineEditor::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    hide();
    emit finished();
}

void LineEditor::setLaterLayout(bool laterLayout)
{
    if (laterLayout == m_laterLayout)
        return;
    m_laterLayout = laterLayout;
    layoutChanged();
    // A fresh editor's preview stays empty until a field changes.
    if (!m_preview->text().isEmpty())
        rebuildPreview();
}

bool LineEditor::missingValue() const
{
    QList<int> order = m_checkOrder;
    if (order.isEmpty()) {
        for (int column = 0; column < int(m_columns.size()); ++column)
            order << column;
    }
    for (int column : order) {
        // The later layout has no mesh count to fill in.
        if (m_laterLayout && column == meshCountColumn)
            continue;
        const ColumnBinding* binding = m_columns[size_t(column)];
        if (!binding->requiredField())
            continue;
        const QString value = binding->value();
        // "20,,40" or a trailing comma leaves one of the values out.
        const QStringList pieces = column == m_listColumn ? value.split(u',') : QStringList{value};
        if (std::any_of(pieces.cbegin(), pieces.cend(), isBlank))
            return true;
    }
    return false;
}

bool LineEditor::unstorableValue()
{
    for (size_t index = 0; index < m_columns.size(); ++index) {
        const ColumnBinding* column = m_columns[index];
        const QString value = column->value();
        const QString field = texts::fieldSubject.arg(column->label());
        QString message;
        if (!isStorableValue(value))
            message = texts::unstorableText.arg(field);
        // Commas separate a line's values: one inside a value shifts the columns after it.
        else if (value.contains(u',') && int(index) != m_listColumn)
            message = texts::commaInValue.arg(field);
        if (!message.isEmpty()) {
            m_platform.showMessage(this, texts::appTitle, message, Platform::Icon::Information);
            return true;
        }
    }
    return false;
}

QList<QByteArray> LineEditor::lineValues() const
{
    QList<QByteArray> cells;
    for (const ColumnBinding* column : m_columns)
        cells << column->value().toLatin1();
    return valuesFromCells(m_kind, cells, m_laterLayout);
}

QList<QByteArray> LineEditor::writtenBack(qsizetype row, const QList<QByteArray>& values) const
{
    if (m_listColumn >= 0)
        return values;
    // Values past the table's columns (an object's eighth, a trailing empty one) stay.
    QList<QByteArray> merged = m_document.table(m_kind).rows().values(row);
    if (merged.size() < values.size())
        merged.resize(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        merged[i] = values[i];
    return merged;
}

} // namespace tarnel
