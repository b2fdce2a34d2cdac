#include "mainwindow/statisticspanel.h"

#include "document/idedocument.h"
#include "document/statistics.h"
#include "mainwindow/twips.h"

#include <QLabel>

StatisticsPanel::StatisticsPanel(QWidget* parent) : QGroupBox(QStringLiteral("IDE Stats"), parent)
{
    setObjectName(QStringLiteral("Frame1"));
    auto* inner = new QWidget(this);
    inner->setObjectName(QStringLiteral("Picture2"));
    inner->setGeometry(twips(120), twips(240), twips(1935 - 180), twips(1695));

    static const char* const captions[] = {"Objects", "Timed objs", "Paths", "Lights",
                                           "Particles", "Sun", "Ped areas"};
    static const char* const valueNames[] = {"objCount",  "tobjcount", "pathsexsist", "lightcount",
                                             "partcount", "suncount",  "pedcount"};
    QFont valueFont(QStringLiteral("Verdana"));
    valueFont.setPointSizeF(8.25);
    valueFont.setBold(true);
    for (int row = 0; row < 7; ++row) {
        auto* caption = new QLabel(QString::fromLatin1(captions[row]), inner);
        caption->setGeometry(0, twips(240 * row), twips(1320) - 24, twips(240));
        auto* value = new QLabel(inner);
        value->setObjectName(QString::fromLatin1(valueNames[row]));
        value->setFont(valueFont);
        QPalette palette = value->palette();
        palette.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
        value->setPalette(palette);
        // Counts of big files need more room than the designed column gives.
        const int valueLeft = twips(1320) - 24;
        value->setGeometry(valueLeft, twips(240 * row), inner->width() - valueLeft, twips(240));
        m_values.append(value);
    }
}

void StatisticsPanel::refresh(const IdeDocument& document)
{
    const auto figures = documentStatistics(document);
    for (int row = 0; row < m_values.size(); ++row)
        m_values[row]->setText(figures[row].second);
}
