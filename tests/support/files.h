#pragma once

// Whole-file reads and writes for tests that check a file is left alone.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

inline void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}
