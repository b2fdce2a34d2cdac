#pragma once

// File chores every test shares: reading and writing whole files, the corpus
// of sample IDE files and looking into temporary folders.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace support {

// The first line of every file the program saves starts so.
inline const QByteArray headerPrefix = "# Generated from Tarnel by Quorbin  ";

// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// Gives `path` exactly these bytes.
bool putFile(const QString& path, const QByteArray& bytes);

// The same, but a null array means no file at all.
bool putOrRemoveFile(const QString& path, const QByteArray& bytes);

// The sample files under tests/corpus.
QString corpusPath(const QString& name);
QStringList corpusFiles();
// Their paths and those of the shared corpus beside the checkout, if there is one.
QStringList allCorpusPaths();

// The names in a folder, hidden ones included.
QStringList namesIn(const QString& folder);

// Permission bits do not stop root, so the cases that rely on them skip.
bool runningAsRoot();

} // namespace support
