#include "mapreading.h"

#include "commandline.h"
#include "inputfiles.h"
#include "map/gamemap.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tarnel::cli {

bool takeMapOption(QStringList& args, MapOptions& options, QString& wrong, bool withLimit)
{
    const QString& option = args.first();
    const bool isGame = option == QLatin1String("--game");
    if (!isGame && (!withLimit || option != QLatin1String("--id-limit")))
        return false;
    args.removeFirst();
    if (args.isEmpty()) {
        wrong = texts::cliMissingValue.arg(option);
        return true;
    }
    const QString value = args.takeFirst();
    if (isGame) {
        if (!QFileInfo(value).isDir())
            wrong = texts::cliNoSuchFolder.arg(value);
        options.gameFolder = value;
        return true;
    }
    bool ok = false;
    const qint64 limit = value.toLongLong(&ok);
    if (!ok || limit < 0)
        wrong = texts::cliBadIdLimit.arg(value);
    options.limit = limit == 0 ? std::optional<qint64>() : std::optional<qint64>(limit);
    return true;
}

int takeOptionsOnly(QStringList& args, MapOptions& options, const QString& command, const QString& operands,
                    bool withLimit)
{
    while (!args.isEmpty() && isOption(args.first())) {
        QString wrong;
        if (!takeMapOption(args, options, wrong, withLimit))
            return usage(texts::cliUnknownOption.arg(args.first()));
        if (!wrong.isEmpty())
            return usage(wrong);
    }
    if (const QString wrong = wrongOperands(command, args, {operands}); !wrong.isEmpty())
        return usage(wrong);
    return 0;
}

ReadMap::ReadMap() = default;
ReadMap::~ReadMap() = default;

int ReadMap::read(const QStringList& operands, const MapOptions& options)
{
    for (const QString& operand : operands) {
        if (!isStandardStream(operand) && !QFileInfo::exists(operand)) {
            complain(texts::cliNoSuchFile.arg(operand));
            return 2;
        }
    }
    QStringList files = distinctFiles(operands);
    if (const qsizetype at = files.indexOf(QStringLiteral("-")); at >= 0) {
        const StandardInput in = readStandardInput();
        m_folder = std::make_unique<QTemporaryDir>();
        m_standardInput = m_folder->filePath(QStringLiteral("standard-input.ide"));
        QFile file(m_standardInput);
        const bool written = in.error.isEmpty() && m_folder->isValid() && file.open(QIODevice::WriteOnly) &&
                             file.write(in.bytes) == in.bytes.size() && file.flush();
        if (!written) {
            complain(texts::cliCannotRead.arg(texts::cliStandardInput,
                                              in.error.isEmpty() ? file.errorString() : in.error));
            return 1;
        }
        files[at] = m_standardInput;
    }
    m_map = new GameMap(GameMap::read(collectMapSources(files, options.gameFolder)));
    if (options.limit)
        m_map->setIdLimit(*options.limit);
    return 0;
}

QString ReadMap::shown(QString text) const
{
    return m_standardInput.isEmpty() ? text : text.replace(m_standardInput, QStringLiteral("-"));
}

} // namespace tarnel::cli
