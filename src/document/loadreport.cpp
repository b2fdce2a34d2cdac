#include "document/loadreport.h"

namespace {

QString lines(qsizetype count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" line") : QStringLiteral(" lines"));
}

} // namespace

QString reasonText(const LoadReportEntry& entry)
{
    switch (entry.reason) {
    case LoadReportEntry::Reason::MissingValues:
        return QString::number(entry.count) +
               (entry.count == 1 ? QStringLiteral(" value missing") : QStringLiteral(" values missing"));
    case LoadReportEntry::Reason::OtherSection: return QStringLiteral("section ") + QString::fromLatin1(entry.section);
    case LoadReportEntry::Reason::Comment: return QStringLiteral("comment");
    case LoadReportEntry::Reason::OutsideSections: return QStringLiteral("outside sections");
    case LoadReportEntry::Reason::EffectFields:
        return QStringLiteral("2dfx line of ") + QString::number(entry.count) + QStringLiteral(" fields");
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
        summary << (sections.size() == 1 ? QStringLiteral("section ") : QStringLiteral("sections ")) +
                       sections.join(QStringLiteral(", ")) + QStringLiteral(": ") + lines(sectionLines);
    if (comments > 0)
        summary << QStringLiteral("comments: ") + lines(comments);
    if (outside > 0)
        summary << QStringLiteral("lines outside sections: ") + lines(outside);
    if (effects > 0)
        summary << QStringLiteral("2dfx lines of other field counts: ") + lines(effects);
    return summary;
}
