#pragma once

// The texts of tarnel-cli beyond those texts.h shares with the editor.

#include <QString>

namespace tarnel {

namespace texts {

// Every command and option; --help prints it on standard output, a wrong command line on
// standard error.
inline constexpr const char* cliUsage =
    "usage: tarnel-cli format [--keep-layout] IN OUT\n"
    "                                  load IN and write it as the editor saves it;\n"
    "                                  --keep-layout: in the layout of IN, every line\n"
    "                                  kept as it is\n"
    "       tarnel-cli report FILE     print the lines of FILE worth a look: line number,\n"
    "                                  what it is and the line, tab-separated\n"
    "       tarnel-cli stats FILE      print the statistics of FILE\n"
    "       tarnel-cli table FILE SECTION\n"
    "                                  print a table's captions and cells, tab-separated;\n"
    "                                  SECTION: objs, tobj, lights, part, sun or ani\n"
    "       tarnel-cli check [--game DIR] [--id-limit N] FILE...\n"
    "                                  read the map FILE... make: level lists (.dat),\n"
    "                                  folders (every .ide and .ipl below), IDE and IPL\n"
    "                                  files, in one ID space; print each finding as\n"
    "                                  PATH:LINE: error: MESSAGE (or warning), then the\n"
    "                                  count on standard error; exit status 1 when there\n"
    "                                  is any error. --game DIR: the folder the lists'\n"
    "                                  paths start from (default: the parent of a list's\n"
    "                                  folder named data, else the list's own folder);\n"
    "                                  --id-limit N: IDs from N up make the game fail\n"
    "                                  (0: no limit; default from the inst lines)\n"
    "       tarnel-cli free-ids [--count N] [--from A] [--to B] [--free-commented]\n"
    "                           [--game DIR] [--id-limit L] FILE...\n"
    "                                  print the first runs of at least N (10) IDs no\n"
    "                                  defining line of the map uses, from A to B (the\n"
    "                                  lowest ID to the ID limit, or to N above the\n"
    "                                  highest when there is none), never at or above the\n"
    "                                  limit, one start-end a line; the IDs of\n"
    "                                  commented-out lines count as used, unless\n"
    "                                  --free-commented\n"
    "       tarnel-cli map [--game DIR] LIST...\n"
    "                                  print each file of the map in load order: kind,\n"
    "                                  path, lines, definitions or placements (or\n"
    "                                  missing), tab-separated\n"
    "       tarnel-cli renumber --ids A-B[,C-D...] --to N [--keep-gaps] [--dry-run]\n"
    "                           [--game DIR] [--id-limit L] LIST|DIR|FILE...\n"
    "                                  move the IDs A-B (and C-D...) of the map to N\n"
    "                                  and on, in their order, gaps collapsed unless\n"
    "                                  --keep-gaps: every definition, 2dfx line, path\n"
    "                                  header and inst line naming one, commented-out\n"
    "                                  lines too; every file written, or none.\n"
    "                                  Refused, exit status 1, when a new ID is\n"
    "                                  defined elsewhere or reaches the ID limit, or\n"
    "                                  an ID is defined nowhere. --dry-run: print the\n"
    "                                  change as a unified diff (patch -p1 in the\n"
    "                                  game folder applies it), write nothing\n"
    "       tarnel-cli convert --layout later|counted IN OUT\n"
    "                                  write IN with its objs and tobj lines in the\n"
    "                                  later layout (no mesh count) or the counted\n"
    "                                  one, every other byte kept; lines that cannot\n"
    "                                  go are listed on standard error and left as\n"
    "                                  they are, exit status 1 then\n"
    "       tarnel-cli --help          print this text\n"
    "       tarnel-cli --version       print the version\n"
    "A file named - is standard input (IN, FILE; an IDE file for check and free-ids)\n"
    "or standard output (OUT).\n";

// Before a line with a load error on standard error; %1 its number.
inline const QString cliErrorLine = QStringLiteral("line %1: ");
// %1 the file as given, %2 the system's reason.
inline const QString cliNoSuchFile = QStringLiteral("%1: no such file");
inline const QString cliCannotRead = QStringLiteral("%1: cannot read: %2");
inline const QString cliCannotWrite = QStringLiteral("%1: cannot write: %2");
// An input file another program cut short while it was being read; no file was replaced.
inline const QString cliInputCutShort =
    QStringLiteral("an input file was cut short by another program while it was read; no file was replaced");

// check: the count line on standard error.
inline const QString cliOneError = QStringLiteral("%1 error");
inline const QString cliErrors = QStringLiteral("%1 errors");
inline const QString cliOneWarning = QStringLiteral("%1 warning");
inline const QString cliWarnings = QStringLiteral("%1 warnings");

// renumber: the summary on standard error; %1 the IDs, %2 the lines, %3 the files.
inline const QString cliMoved = QStringLiteral("Moved %1: %2 in %3");
inline const QString cliWouldMove = QStringLiteral("Would move %1: %2 in %3; nothing written (--dry-run)");
inline const QString cliOneId = QStringLiteral("%1 ID");
inline const QString cliIds = QStringLiteral("%1 IDs");
inline const QString cliOneFile = QStringLiteral("%1 file");
inline const QString cliFiles = QStringLiteral("%1 files");
// %1 why the files could not all be written (naming the file).
inline const QString cliNothingMoved = QStringLiteral("nothing moved, every file left as it was: %1");
// renumber, after a refusal: %1 the IDs the new ones span, %2 the first of a run free across the map.
inline const QString cliFreeRunHint = QStringLiteral("the first %1 IDs free across the map start at %2 (--to %2)");
// renumber: what is wrong with its command line. %1 the value or the command.
inline const QString cliBadFirstId = QStringLiteral("--to needs a whole number, 0 or more, not %1");
inline const QString cliBadIds = QStringLiteral("--ids: %1");
inline const QString cliNotWrittenBack = QStringLiteral("%1: standard input (-) cannot be written back");

// convert: a line left as it is, on standard error; %1 the file as given, %2 the line number.
inline const QString cliLeftForLater = QStringLiteral("%1:%2: several draw distances, left as it is");
inline const QString cliLeftForCounted = QStringLiteral("%1:%2: not a complete line, left as it is");
inline const QString cliBadLayout = QStringLiteral("--layout needs later or counted, not %1");

// map: one line a file of the map.
inline const QString cliIdeKind = QStringLiteral("IDE");
inline const QString cliIplKind = QStringLiteral("IPL");
inline const QString cliFileMissing = QStringLiteral("missing");
inline const QString cliBinaryNotRead = QStringLiteral("binary, not read");
inline const QString cliOneLine = QStringLiteral("%1 line");
inline const QString cliLines = QStringLiteral("%1 lines");
inline const QString cliOneDefinition = QStringLiteral("%1 definition");
inline const QString cliDefinitions = QStringLiteral("%1 definitions");
inline const QString cliOnePlacement = QStringLiteral("%1 placement");
inline const QString cliPlacements = QStringLiteral("%1 placements");

} // namespace texts

} // namespace tarnel
