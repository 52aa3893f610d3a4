#pragma once

#include "base/FileOpener.h"

#include <QStringList>

// Remembers what it was asked to open.
class RecordingFileOpener final : public FileOpener {
public:
    QStringList opened;
    void open(const QString& path) override { opened << path; }
};
