#include "document/loadreport.h"

#include "texts/texts.h"

namespace tarnel {

namespace {

QString lines(qsizetype count)
{
    return (count == 1 ? texts::oneLine : texts::lines).arg(count);
}

} // namespace

QString reasonText(const LoadReportEntry& entry)
{
    switch (entry.reason) {
    case LoadReportEntry::Reason::MissingValues:
        return (entry.count == 1 ? texts::oneValueMissing : texts::valuesMissing).arg(entry.count);
    case LoadReportEntry::Reason::OtherSection: return texts::otherSection.arg(QString::fromLatin1(entry.section));
    case LoadReportEntry::Reason::Comment: return texts::commentLine;
    case LoadReportEntry::Reason::OutsideSections: return texts::outsideSections;
    case LoadReportEntry::Reason::EffectFields: return texts::effectFieldCount.arg(entry.count);
    }
    return {};
}

qsizetype LoadReport::droppedLineCount() const
{
    qsizetype count = 0;
    for (const LoadReportEntry& entry : entries)
        count += entry.reason != LoadReportEntry::Reason::MissingValues;
    return count;
}

QStringList LoadReport::droppedSummary() const
{
    using Reason = LoadReportEntry::Reason;
    QStringList sections;
    qsizetype sectionLines = 0;
    qsizetype comments = 0;
    qsizetype outside = 0;
    qsizetype effects = 0;
    for (const LoadReportEntry& entry : entries) {
        switch (entry.reason) {
        case Reason::MissingValues: break;
        case Reason::OtherSection:
            ++sectionLines;
            if (!sections.contains(QString::fromLatin1(entry.section)))
                sections << QString::fromLatin1(entry.section);
            break;
        case Reason::Comment: ++comments; break;
        case Reason::OutsideSections: ++outside; break;
        case Reason::EffectFields: ++effects; break;
        }
    }
    QStringList summary;
    if (sectionLines > 0)
        summary << (sections.size() == 1 ? texts::oneOtherSectionSummary : texts::otherSectionsSummary)
                       .arg(sections.join(QStringLiteral(", ")), lines(sectionLines));
    if (comments > 0)
        summary << texts::commentsSummary.arg(lines(comments));
    if (outside > 0)
        summary << texts::outsideSummary.arg(lines(outside));
    if (effects > 0)
        summary << texts::effectsSummary.arg(lines(effects));
    return summary;
}

} // namespace tarnel
