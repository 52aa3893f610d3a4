#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// The whole file; empty when it cannot be opened.
inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes the file hold exactly these bytes; the test fails when it cannot be written.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}
