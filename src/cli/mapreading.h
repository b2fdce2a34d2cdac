#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QTemporaryDir;

namespace tarnel {
class GameMap;
}

namespace tarnel::cli {

// What `--game DIR` and `--id-limit N` say, taken by every map command.
struct MapOptions {
    QString gameFolder;                         // empty: the one the lists tell
    std::optional<std::optional<qint64>> limit; // none given: derived from the inst lines
};

// Takes `--game DIR` or `--id-limit N` (unless !withLimit) off the front of
// `args` into `options`: false when the front is neither. `wrong` tells what
// is wrong with its value.
bool takeMapOption(QStringList& args, MapOptions& options, QString& wrong, bool withLimit = true);

// Reads the map options before the operands of `command`, which names
// `operands`; 0, or the exit status of a wrong command line.
int takeOptionsOnly(QStringList& args, MapOptions& options, const QString& command, const QString& operands,
                    bool withLimit);

// The map of `operands` read. Standard input ("-") is an IDE file: its bytes
// go to a file of that kind in a folder of its own, whose path findings then
// show as "-". An operand that names nothing is a mistake of the command line
// (unlike a file a list names, which the map reports).
class ReadMap {
public:
    ReadMap();
    ~ReadMap();

    // 0, or the exit status when the map cannot be read.
    int read(const QStringList& operands, const MapOptions& options);

    const GameMap& map() const { return *m_map; }

    // A path, or a text naming paths, as the output shows it.
    QString shown(QString text) const;

private:
    // Kept to the end of the process, as format keeps its document: freeing a
    // big map's facts one by one only costs time just before the system takes
    // the memory back anyway.
    GameMap* m_map = nullptr;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_standardInput;
};

} // namespace tarnel::cli
