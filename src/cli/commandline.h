#pragma once

#include <QString>
#include <QStringList>

namespace tarnel::cli {

// Writes `text` as a line on standard error, the bytes of a file name in it as they are.
void tell(const QString& text);

// Tells `message` on standard error after the program's name, the bytes of a
// file name in it as they are.
void complain(const QString& message);

// Says what is wrong with the command line, then the usage; the exit status 2.
int usage(const QString& wrong);

bool isOption(const QString& arg);

// What is wrong with the arguments after `command`'s options, which name
// `operands` ("FILE..." for one or more), if anything.
QString wrongOperands(const QString& command, const QStringList& args, const QStringList& operands);

// The arguments of a command without options: what is wrong with them, or nothing.
QString wrongArguments(const QString& command, const QStringList& args, const QStringList& operands);

} // namespace tarnel::cli
