#include "commandline.h"

#include "document/filenames.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <cstdio>

namespace tarnel::cli {

void tell(const QString& text)
{
    const QByteArray line = fileNameBytes(text + QLatin1Char('\n'));
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

void complain(const QString& message)
{
    tell(texts::cliName + QStringLiteral(": ") + message);
}

int usage(const QString& wrong)
{
    complain(wrong);
    std::fputs(texts::cliUsage, stderr);
    std::fflush(stderr);
    return 2;
}

bool isOption(const QString& arg)
{
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

QString wrongOperands(const QString& command, const QStringList& args, const QStringList& operands)
{
    for (const QString& arg : args) {
        if (isOption(arg))
            return texts::cliLateOption.arg(command, arg);
    }
    if (args.size() < operands.size())
        return texts::cliMissingArgument.arg(command, operands[args.size()]);
    if (args.size() > operands.size() && !operands.last().endsWith(QLatin1String("...")))
        return texts::cliExtraArgument.arg(command, args[operands.size()]);
    return {};
}

QString wrongArguments(const QString& command, const QStringList& args, const QStringList& operands)
{
    if (!args.isEmpty() && isOption(args.first()))
        return texts::cliUnknownOption.arg(args.first());
    return wrongOperands(command, args, operands);
}

} // namespace tarnel::cli
