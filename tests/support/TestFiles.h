#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// Whole-file reads and writes for tests that look at what the program left on disk.
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Creates the file's folder when needed; a failure fails the calling test.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
