// The settings file as anyone may have left it: read every way, then written, and the entries
// read must survive the write.
#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("nocturnia.settings.warning=false"));
        return true;
    }();
    Q_UNUSED(quiet)
    // In memory where possible: every write is flushed to disk.
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                        : QDir::tempPath()) +
                             QStringLiteral("/fuzz_settings-XXXXXX"));
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    IniSettingsStore store(path);
    const QString folder = store.read(QStringLiteral("Nocturnia"), QStringLiteral("Settings"),
                                      QStringLiteral("Folder"), QStringLiteral("\x01"));
    if (!store
             .write(QStringLiteral("Nocturnia"), QStringLiteral("Audio"),
                    QStringLiteral("Triggers"), QStringLiteral(" 80\\ \n"))
             .ok)
        return 0;
    IniSettingsStore reopened(path);
    if (reopened.read(QStringLiteral("Nocturnia"), QStringLiteral("Settings"),
                      QStringLiteral("Folder"), QStringLiteral("\x01")) != folder)
        std::abort();
    if (reopened.read(QStringLiteral("Nocturnia"), QStringLiteral("Audio"),
                      QStringLiteral("Triggers"), QString()) != QStringLiteral(" 80\\ \n"))
        std::abort();
    return 0;
}
