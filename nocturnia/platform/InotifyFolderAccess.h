#pragma once

#include "base/FolderAccess.h"

#include <QSet>

class QSocketNotifier;

// The watched folder through the system's calls: lstat to look, open with O_NOFOLLOW and
// O_NONBLOCK to overwrite, unlink to remove, inotify to watch.
class InotifyFolderAccess final : public FolderAccess {
    Q_OBJECT
public:
    explicit InotifyFolderAccess(QObject* parent = nullptr);
    ~InotifyFolderAccess() override;

    Entry inspect(const QString& path) const override;
    std::unique_ptr<Overwrite> openForOverwrite(const QString& path) override;
    bool remove(const QString& path) override;

    bool watch(const QString& folder, const QStringList& names) override;
    void unwatch() override;
    bool isWatching() const override { return m_watch >= 0; }

private:
    void readEvents();

    int m_fd = -1;
    int m_watch = -1;
    QSet<QByteArray> m_names;
    QSocketNotifier* m_notifier = nullptr;
};
