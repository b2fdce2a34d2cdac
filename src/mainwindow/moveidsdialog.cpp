#include "mainwindow/moveidsdialog.h"

#include "map/gamemap.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tarnel {

MoveIdsDialog::MoveIdsDialog(const GameMap& map, QList<qint64> ids, const QString& rowsText, QWidget* parent)
    : QDialog(parent), m_map(map), m_ids(std::move(ids)), m_firstNewId(new QLineEdit(this)),
      m_keepGaps(new QCheckBox(texts::moveIdsKeepGaps, this)), m_summary(new QLabel(this))
{
    setObjectName(QStringLiteral("moveIdsDialog"));
    setWindowTitle(texts::moveIdsTitle);
    auto* rows = new QLabel(rowsText, this);
    rows->setObjectName(QStringLiteral("moveIdsRows"));
    rows->setWordWrap(true);
    m_firstNewId->setObjectName(QStringLiteral("firstNewIdField"));
    m_firstNewId->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,12}")), this));
    m_keepGaps->setObjectName(QStringLiteral("keepGapsBox"));
    m_summary->setObjectName(QStringLiteral("moveSummary"));
    m_summary->setWordWrap(true);
    m_summary->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    // Room for a refusal naming a file, so the dialog does not jump as it is typed.
    m_summary->setMinimumHeight(fontMetrics().lineSpacing() * 3);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const std::optional<qint64> limit = m_map.idLimit();
    auto* limitNote =
        new QLabel(limit ? texts::moveIdsLimit.arg(QLocale().toString(*limit)) : texts::moveIdsNoLimit, this);
    limitNote->setObjectName(QStringLiteral("moveIdsLimit"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(texts::moveIdsPreview);
    m_ok->setObjectName(QStringLiteral("movePreviewButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("moveCancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->addRow(texts::moveIdsFirstNewId, m_firstNewId);
    fields->addRow(QString(), m_keepGaps);
    fields->addRow(QString(), limitNote);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows);
    layout->addLayout(fields);
    layout->addWidget(m_summary);
    layout->addStretch();
    layout->addWidget(buttons);

    offerFreeRun();
    connect(m_firstNewId, &QLineEdit::textChanged, this, &MoveIdsDialog::describe);
    connect(m_keepGaps, &QCheckBox::toggled, this, [this] {
        if (m_firstNewId->text() == m_offered)
            offerFreeRun();
        describe();
    });
    describe();
}

qint64 MoveIdsDialog::span() const
{
    if (m_ids.isEmpty())
        return 0;
    return m_keepGaps->isChecked() ? m_ids.back() - m_ids.front() + 1 : m_ids.size();
}

void MoveIdsDialog::offerFreeRun()
{
    const std::optional<qint64> first = firstFreeRun(m_map, span());
    m_offered = first ? QString::number(*first) : QString();
    m_firstNewId->setText(m_offered);
    m_firstNewId->selectAll();
}

std::optional<IdMapping> MoveIdsDialog::mapping() const
{
    bool number = false;
    const qint64 first = m_firstNewId->text().toLongLong(&number);
    if (!number || m_ids.isEmpty())
        return std::nullopt;
    IdMapping mapping = IdMapping::make(m_ids, first, m_keepGaps->isChecked());
    if (!idMoveRefusal(m_map, mapping).isEmpty())
        return std::nullopt;
    return mapping;
}

void MoveIdsDialog::setFirstNewId(qint64 id)
{
    m_firstNewId->setText(QString::number(id));
}

void MoveIdsDialog::setKeepGaps(bool keep)
{
    m_keepGaps->setChecked(keep);
}

void MoveIdsDialog::describe()
{
    bool number = false;
    const qint64 first = m_firstNewId->text().toLongLong(&number);
    QString text;
    bool refused = true;
    if (m_ids.isEmpty()) {
        text = texts::moveIdsNoRows;
    } else if (!number) {
        text = m_offered.isEmpty() ? texts::moveIdsNoFreeRun.arg(span()) : texts::moveIdsTypeFirst;
    } else {
        const IdMapping mapping = IdMapping::make(m_ids, first, m_keepGaps->isChecked());
        text = idMoveRefusal(m_map, mapping);
        refused = !text.isEmpty();
        if (!refused)
            text = texts::moveIdsWillMove.arg(m_ids.front())
                       .arg(m_ids.back())
                       .arg(mapping.firstNewId())
                       .arg(mapping.lastNewId());
    }
    m_summary->setText(text);
    m_summary->setStyleSheet(refused ? QStringLiteral("color: #b00000;") : QString());
    m_ok->setEnabled(!refused);
}

} // namespace tarnel
