#include "mainwindow/statisticspanel.h"

#include "document/idedocument.h"
#include "document/statistics.h"
#include "history/documentids.h"
#include "history/stepbatch.h"
#include "mainwindow/pitchedrows.h"
#include "texts/texts.h"

#include <QLabel>

#include <algorithm>

namespace tarnel {

StatisticsPanel::StatisticsPanel(IdeDocument& document, QWidget* parent)
    : QGroupBox(texts::statisticsTitle, parent), m_document(document)
{
    setObjectName(QStringLiteral("statisticsPanel"));
    static const char* const valueNames[] = {"objectCount",  "timedObjectCount", "pathsPresent",
                                             "lightCount",   "particleCount",    "sunCount",
                                             "pedAreaCount", "duplicateIdCount"};
    QFont valueFont(QStringLiteral("Verdana"));
    valueFont.setPointSizeF(8.25);
    valueFont.setBold(true);
    auto* rows = new PitchedRows(this);
    // The figures start right under the title, indented as the captions above.
    rows->setContentsMargins(5, 0, 5, 3);
    // Counts of big files need more room than the caption column leaves.
    rows->setColumnMinimumWidth(0, 64);
    rows->setColumnMinimumWidth(1, 41);
    rows->setColumnStretch(1, 1);
    // The captions are the figures' own, as `tarnel-cli` prints them.
    // The document's figures, then the window's own.
    QStringList captions;
    for (const auto& figure : documentStatistics(document))
        captions.append(figure.first);
    captions.append(texts::duplicateIdsCaption);
    for (int row = 0; row < int(captions.size()); ++row) {
        auto* value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(valueNames[row]));
        value->setFont(valueFont);
        QPalette palette = value->palette();
        palette.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
        value->setPalette(palette);
        auto* caption = new QLabel(captions[row], this);
        // A caption longer than the designed column keeps a gap before its figure.
        rows->setColumnMinimumWidth(0, std::max(rows->columnMinimumWidth(0), caption->sizeHint().width() + 4));
        rows->addRow(caption, 16, 0);
        rows->addWidget(value, row, 1, Qt::AlignTop);
        m_values.append(value);
    }
    rows->endRows();
    followDocument();
}

void StatisticsPanel::followDocument()
{
    // A command on many rows changes a count many times: the panel is brought
    // up to date once, when its step is done.
    auto* batch = new StepBatch(
        m_document, [this] { refresh(); }, this);
    const auto schedule = [batch] { batch->schedule(); };
    for (LineKind kind : allLineKinds) {
        const SectionTable* table = &m_document.table(kind);
        connect(table, &SectionTable::rowInserted, this, schedule);
        connect(table, &SectionTable::rowsAppended, this, schedule);
        connect(table, &SectionTable::rowsRemoved, this, schedule);
        connect(table, &SectionTable::wasReset, this, schedule);
    }
    connect(&m_document, &IdeDocument::pathTextChanged, this, schedule);
    // A new document shows its figures as soon as it is there; the marks tell
    // once per step by themselves.
    connect(&m_document, &IdeDocument::contentReplaced, batch, &StepBatch::run);
    connect(&DocumentIds::of(m_document), &DocumentIds::changed, batch, &StepBatch::run);
}

void StatisticsPanel::refresh()
{
    const auto figures = documentStatistics(m_document);
    for (int row = 0; row < int(figures.size()); ++row)
        m_values[row]->setText(figures[row].second);
    m_values.back()->setText(QString::number(DocumentIds::of(m_document).count()));
}

} // namespace tarnel
