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
    "       tarnel-cli check FILE...   print every object ID more than one line uses:\n"
    "                                  the ID and file:line of each use, tab-separated;\n"
    "                                  exit status 1 when there is any\n"
    "       tarnel-cli free-ids [--count N] [--from A] [--to B] [--free-commented] FILE...\n"
    "                                  print the first runs of at least N (10) unused\n"
    "                                  object IDs from A to B (the lowest ID to N above\n"
    "                                  the highest), one start-end a line; the IDs of\n"
    "                                  commented-out lines count as used, unless\n"
    "                                  --free-commented\n"
    "       tarnel-cli --help          print this text\n"
    "       tarnel-cli --version       print the version\n"
    "A file named - is standard input (IN, FILE) or standard output (OUT).\n";

// Before a line with a load error on standard error; %1 its number.
inline const QString cliErrorLine = QStringLiteral("line %1: ");
// %1 the file as given, %2 the system's reason.
inline const QString cliNoSuchFile = QStringLiteral("%1: no such file");
inline const QString cliCannotRead = QStringLiteral("%1: cannot read: %2");
inline const QString cliCannotWrite = QStringLiteral("%1: cannot write: %2");

} // namespace texts

} // namespace tarnel
