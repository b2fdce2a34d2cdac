#include "mainwindow/setcolumndialog.h"

#include "document/columnedit.h"
#include "document/idedocument.h"
#include "editors/editordesigns.h"
#include "history/edithistory.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarnel {

namespace {

QLineEdit* namedField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QRadioButton* namedMode(const char* name, const QString& caption, QWidget* parent)
{
    auto* mode = new QRadioButton(caption, parent);
    mode->setObjectName(QString::fromLatin1(name));
    return mode;
}

} // namespace

SetColumnDialog::SetColumnDialog(IdeDocument& document, Platform& platform, LineKind kind, QList<qsizetype> rows,
                                 const QString& scope, QWidget* parent)
    : QDialog(parent), m_document(document), m_platform(platform), m_kind(kind), m_rows(std::move(rows)),
      m_column(new QComboBox(this)), m_modes(new QButtonGroup(this)), m_value(namedField("setValueField", this)),
      m_find(namedField("findField", this)), m_replacement(namedField("replacementField", this)),
      m_wholeValue(new QCheckBox(texts::setColumnWholeValue, this)), m_factor(namedField("factorField", this))
{
    setObjectName(QStringLiteral("setColumnDialog"));
    setWindowTitle(texts::setColumnTitle);
    auto* scopeLabel = new QLabel(scope, this);
    scopeLabel->setObjectName(QStringLiteral("scopeLabel"));
    m_column->setObjectName(QStringLiteral("columnList"));
    m_column->addItems(fieldNamesOf(kind));
    m_wholeValue->setObjectName(QStringLiteral("wholeValueBox"));
    m_factor->setText(QStringLiteral("0.5"));
    auto* factorCheck = new QDoubleValidator(this);
    factorCheck->setLocale(QLocale::c());
    m_factor->setValidator(factorCheck);

    QRadioButton* set = namedMode("setValueMode", texts::setColumnSetTo, this);
    QRadioButton* replace = namedMode("replaceMode", texts::setColumnReplace, this);
    QRadioButton* multiply = namedMode("multiplyMode", texts::setColumnMultiply, this);
    m_modes->addButton(set, int(ColumnEdit::Mode::Set));
    m_modes->addButton(replace, int(ColumnEdit::Mode::Replace));
    m_modes->addButton(multiply, int(ColumnEdit::Mode::Multiply));
    set->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(texts::setColumnColumn, this), 0, 0);
    grid->addWidget(m_column, 0, 1, 1, 3);
    grid->addWidget(set, 1, 0);
    grid->addWidget(m_value, 1, 1, 1, 3);
    grid->addWidget(replace, 2, 0);
    grid->addWidget(m_find, 2, 1);
    grid->addWidget(new QLabel(texts::setColumnWith, this), 2, 2);
    grid->addWidget(m_replacement, 2, 3);
    grid->addWidget(m_wholeValue, 3, 1, 1, 3);
    grid->addWidget(multiply, 4, 0);
    grid->addWidget(m_factor, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(texts::setColumnButton);
    ok->setObjectName(QStringLiteral("setColumnButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SetColumnDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_modes, &QButtonGroup::idClicked, this, &SetColumnDialog::followMode);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scopeLabel);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    followMode();
    resize(sizeHint().width() * 3 / 2, sizeHint().height());
}

void SetColumnDialog::followMode()
{
    const auto mode = ColumnEdit::Mode(m_modes->checkedId());
    m_value->setEnabled(mode == ColumnEdit::Mode::Set);
    for (QWidget* field : {static_cast<QWidget*>(m_find), static_cast<QWidget*>(m_replacement),
                           static_cast<QWidget*>(m_wholeValue)})
        field->setEnabled(mode == ColumnEdit::Mode::Replace);
    m_factor->setEnabled(mode == ColumnEdit::Mode::Multiply);
}

void SetColumnDialog::apply()
{
    ColumnEdit edit;
    edit.column = m_column->currentIndex();
    edit.mode = ColumnEdit::Mode(m_modes->checkedId());
    edit.value = m_value->text();
    edit.find = m_find->text();
    edit.replacement = m_replacement->text();
    edit.wholeValue = m_wholeValue->isChecked();
    bool number = false;
    edit.factor = QLocale::c().toDouble(m_factor->text(), &number);
    if (edit.mode == ColumnEdit::Mode::Multiply && !number) {
        m_platform.showMessage(
            this, texts::appTitle,
            texts::notANumber.arg(texts::fieldSubject.arg(texts::setColumnMultiply), m_factor->text()),
            Platform::Icon::Information);
        return;
    }
    edit.choiceLimit = choiceBoxLimit(m_kind, edit.column);
    const ColumnEditResult result = editColumn(m_document.table(m_kind), m_rows, edit);
    if (!result.refusal.isEmpty()) {
        m_platform.showMessage(this, texts::appTitle, result.refusal, Platform::Icon::Information);
        return;
    }
    const QString step = texts::stepOnLines.arg(texts::stepSetColumn)
                             .arg(result.rows.size())
                             .arg(result.rows.size() == 1 ? texts::stepLine : texts::stepLines);
    m_changed = EditHistory::of(m_document).setRows(m_kind, {result.rows, result.values}, step);
    accept();
}

} // namespace tarnel
