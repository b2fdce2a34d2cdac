#pragma once

#include <QFile>
#include <QtTest>

inline QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Gives `path` exactly these bytes; a null array means no file at all.
inline void putFile(const QString& path, const QByteArray& contents) {
    QFile::remove(path);
    if (contents.isNull())
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}
