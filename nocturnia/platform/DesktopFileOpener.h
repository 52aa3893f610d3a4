#pragma once

#include "base/FileOpener.h"

// Hands the path to the desktop (xdg-open behind QDesktopServices).
class DesktopFileOpener final : public FileOpener {
public:
    void open(const QString& path) override;
};
