#include "document/idewriter.h"

#include <QLocale>

namespace {

constexpr QByteArrayView lineEnd = "\r\n";

void appendLine(QByteArray& out, QByteArrayView text)
{
    out.append(text);
    out.append(lineEnd);
}

void appendRows(QByteArray& out, const RowStore& rows)
{
    for (qsizetype row = 0; row < rows.size(); ++row) {
        rows.appendJoined(out, row);
        out.append(lineEnd);
    }
}

} // namespace

QByteArray headerLine(const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    QString stamp = locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                    locale.toString(when.time(), QLocale::ShortFormat);
    stamp.remove(QLatin1Char(','));
    return "# Generated from Tarnel by Quorbin  " + stamp.toLatin1();
}

QByteArray formatIde(const ContentView& content, QByteArrayView header)
{
    qsizetype hint = header.size() + content.pathText.size() + 256;
    for (const RowStore* rows : content.tables)
        hint += rows->joinedSizeHint();
    QByteArray out;
    out.reserve(hint);

    appendLine(out, header);
    appendLine(out, "objs");
    appendRows(out, content.table(LineKind::Object));
    appendLine(out, "end");
    appendLine(out, "tobj");
    appendRows(out, content.table(LineKind::TimedObject));
    appendLine(out, "end");
    appendLine(out, "Path");
    if (!content.pathText.isEmpty())
        appendLine(out, content.pathText);
    appendLine(out, "end");
    appendLine(out, "2dfx");
    appendLine(out, "# Lights");
    appendRows(out, content.table(LineKind::Light));
    appendLine(out, "# ped animations");
    appendRows(out, content.table(LineKind::PedArea));
    appendLine(out, "# particle");
    appendRows(out, content.table(LineKind::Particle));
    appendLine(out, "# sun reflections");
    appendRows(out, content.table(LineKind::Sun));
    appendLine(out, "end");
    return out;
}
