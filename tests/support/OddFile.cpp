#include "support/OddFile.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

bool makeOddFile(OddFile kind, const QString& path) {
    switch (kind) {
    case OddFile::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case OddFile::Folder:
        return QDir().mkdir(path);
    case OddFile::LinkToZero:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case OddFile::Unreadable: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.setPermissions(QFileDevice::WriteOwner);
    }
    }
    return false;
}
