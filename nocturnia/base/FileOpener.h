#pragma once

#include <QString>

// Opens a file or document with the desktop's default action: a document in its associated
// program, a program started. Whether that worked is not known to the caller.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    virtual void open(const QString& path) = 0;
};
