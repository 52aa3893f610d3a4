#pragma once

#include "platform/InotifyFolderAccess.h"

#include <QStringList>

// The real folder calls, except that a removal can be made to fail as for a file the user may
// not delete (which the tests, run as root, cannot make otherwise).
class ScriptedFolderAccess final : public FolderAccess {
public:
    bool failRemove = false;
    QStringList removed; // what was removed, in order
    int watches = 0;     // successful watch() calls

    ScriptedFolderAccess() {
        connect(&m_real, &FolderAccess::changed, this, &FolderAccess::changed);
    }

    Entry inspect(const QString& path) const override { return m_real.inspect(path); }
    std::unique_ptr<Overwrite> openForOverwrite(const QString& path) override {
        return m_real.openForOverwrite(path);
    }
    bool remove(const QString& path) override {
        if (failRemove)
            return false;
        const bool ok = m_real.remove(path);
        if (ok)
            removed << path;
        return ok;
    }
    bool watch(const QString& folder, const QStringList& names) override {
        const bool ok = m_real.watch(folder, names);
        watches += ok ? 1 : 0;
        return ok;
    }
    void unwatch() override { m_real.unwatch(); }
    bool isWatching() const override { return m_real.isWatching(); }

private:
    InotifyFolderAccess m_real;
};
