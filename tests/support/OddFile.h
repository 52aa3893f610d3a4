#pragma once

#include <QMetaType>
#include <QString>

// What may lie where a program expects a regular file to read: it must neither read it whole
// nor wait on it.
enum class OddFile {
    Fifo, // opened for reading, it waits for a writer
    Folder,
    LinkToZero, // a link to /dev/zero, which never ends
    Unreadable, // a regular file without read permission (which root reads all the same)
};
Q_DECLARE_METATYPE(OddFile)

// Makes one at `path`, whose folder exists; false when it could not be made.
bool makeOddFile(OddFile kind, const QString& path);
