#pragma once

#include <QByteArray>
#include <QString>

// What reading a file that other hands may have replaced came to.
struct RegularFileRead {
    enum class Outcome { Read, Missing, NotRegular, TooLarge, Failed };
    Outcome outcome = Outcome::Missing;
    QByteArray bytes; // the content when Read
    int error = 0;    // the system's error number when Failed
};

// Reads the whole file when it is a regular file of at most `maximumSize` bytes. Opened
// without blocking and checked after opening: a FIFO or a device put in its place must
// neither hang the caller nor feed it without end.
RegularFileRead readRegularFile(const QString& path, qint64 maximumSize);
