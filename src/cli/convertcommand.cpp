#include "convertcommand.h"

#include "commandline.h"
#include "document/filereplacement.h"
#include "document/idefile.h"
#include "document/layoutconversion.h"
#include "inputfiles.h"
#include "standardoutput.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <QIODevice>

#include <optional>

namespace tarnel::cli {

namespace {

// The bytes of `path` ("-": standard input), or none after telling why not.
std::optional<QByteArray> readInput(const QString& path)
{
    if (isStandardStream(path)) {
        StandardInput in = readStandardInput();
        if (in.error.isEmpty())
            return std::move(in.bytes);
        complain(texts::cliCannotRead.arg(texts::cliStandardInput, in.error));
        return std::nullopt;
    }
    ReadOutcome in = readIdeFile(path);
    if (in.status == ReadOutcome::Read)
        return std::move(in.bytes);
    complain(in.status == ReadOutcome::Missing ? texts::cliNoSuchFile.arg(path)
                                               : texts::cliCannotRead.arg(path, in.error));
    return std::nullopt;
}

} // namespace

int convertLayout(QStringList args)
{
    const QString command = QStringLiteral("convert");
    std::optional<ObjectLayout> layout;
    while (!args.isEmpty() && isOption(args.first())) {
        const QString option = args.takeFirst();
        if (option != QLatin1String("--layout"))
            return usage(texts::cliUnknownOption.arg(option));
        if (args.isEmpty())
            return usage(texts::cliMissingValue.arg(option));
        const QString value = args.takeFirst();
        if (value == QLatin1String("later"))
            layout = ObjectLayout::Later;
        else if (value == QLatin1String("counted"))
            layout = ObjectLayout::Counted;
        else
            return usage(texts::cliBadLayout.arg(value));
    }
    if (!layout)
        return usage(texts::cliMissingArgument.arg(command, QStringLiteral("--layout")));
    if (const QString wrong = wrongOperands(command, args, {QStringLiteral("IN"), QStringLiteral("OUT")});
        !wrong.isEmpty())
        return usage(wrong);
    const QString& in = args[0];
    const QString& out = args[1];
    const std::optional<QByteArray> bytes = readInput(in);
    if (!bytes)
        return 1;
    QList<qint64> leftLines;
    const QByteArray converted = convertLayoutOfFile(*bytes, *layout, &leftLines);
    if (isStandardStream(out)) {
        writeOut(converted);
    } else if (const QString failure = replaceFileContent(
                   out, [&](QIODevice& device) { return device.write(converted) == converted.size(); });
               !failure.isEmpty()) {
        complain(texts::cliCannotWrite.arg(out, failure));
        return 1;
    }
    const QString shownIn = isStandardStream(in) ? QStringLiteral("-") : in;
    const QString& reason = *layout == ObjectLayout::Later ? texts::cliLeftForLater : texts::cliLeftForCounted;
    for (const qint64 line : leftLines)
        tell(reason.arg(shownIn, QString::number(line)));
    // A script converting for a game that reads only one layout stops on a file that is not wholly in it.
    return leftLines.isEmpty() ? 0 : 1;
}

} // namespace tarnel::cli
