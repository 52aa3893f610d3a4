#include "platform/InotifyFolderAccess.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcFolderAccess, "nocturnia.folder")

namespace {

qint64 nanoseconds(const timespec& t) {
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FolderAccess::Identity identityOf(const struct stat& s) {
    return FolderAccess::Identity{quint64(s.st_dev), quint64(s.st_ino), qint64(s.st_size),
                                  nanoseconds(s.st_mtim), nanoseconds(s.st_ctim)};
}

class FileOverwrite final : public FolderAccess::Overwrite {
public:
    explicit FileOverwrite(int fd)
        : m_fd(fd) {}
    ~FileOverwrite() override { ::close(m_fd); }

    qint64 length() const override {
        struct stat s {};
        return ::fstat(m_fd, &s) == 0 ? qint64(s.st_size) : -1;
    }
    bool writeAt(qint64 position, const QByteArray& bytes) override {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done),
                                       position + done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }
    bool flush() override { return ::fdatasync(m_fd) == 0; }

private:
    int m_fd;
};

} // namespace

InotifyFolderAccess::InotifyFolderAccess(QObject* parent)
    : FolderAccess(parent) {}

InotifyFolderAccess::~InotifyFolderAccess() {
    unwatch();
    if (m_fd >= 0)
        ::close(m_fd);
}

FolderAccess::Entry InotifyFolderAccess::inspect(const QString& path) const {
    const QByteArray name = QFile::encodeName(path);
    struct stat s {};
    if (::lstat(name.constData(), &s) != 0)
        return {};
    Entry entry;
    entry.links = quint64(s.st_nlink);
    entry.identity = identityOf(s);
    if (S_ISLNK(s.st_mode)) {
        entry.kind = Kind::Link;
    } else if (S_ISREG(s.st_mode)) {
        // Readable, as the trigger has always required; a pipe put there meanwhile must
        // not make the open wait.
        const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        entry.kind = fd >= 0 ? Kind::File : Kind::Other;
        if (fd >= 0)
            ::close(fd);
    } else {
        entry.kind = Kind::Other;
    }
    return entry;
}

std::unique_ptr<FolderAccess::Overwrite>
InotifyFolderAccess::openForOverwrite(const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // What was opened is checked, not what the name showed before: it may have been swapped.
    struct stat s {};
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode) || s.st_nlink != 1) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileOverwrite>(fd);
}

bool InotifyFolderAccess::remove(const QString& path) {
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

bool InotifyFolderAccess::watch(const QString& folder, const QStringList& names) {
    unwatch();
    if (m_fd < 0) {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd < 0) {
            qCWarning(lcFolderAccess) << "no inotify:" << std::strerror(errno);
            return false;
        }
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &InotifyFolderAccess::readEvents);
    }
    m_watch = ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                                  IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE |
                                      IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    if (m_watch < 0)
        return false;
    m_names.clear();
    for (const QString& name : names)
        m_names.insert(QFile::encodeName(name));
    return true;
}

void InotifyFolderAccess::unwatch() {
    if (m_watch >= 0)
        ::inotify_rm_watch(m_fd, m_watch);
    m_watch = -1;
}

void InotifyFolderAccess::readEvents() {
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    bool relevant = false;
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof(inotify_event);
            at += ssize_t(sizeof(inotify_event) + event.len);
            if (event.mask & IN_Q_OVERFLOW) { // events were lost: look anyway
                relevant = true;
                continue;
            }
            if (event.wd != m_watch)
                continue; // from a folder watched before
            if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                unwatch();
                relevant = true;
            } else if (event.len > 0 && m_names.contains(QByteArray(name))) {
                relevant = true;
            }
        }
    }
    if (relevant)
        Q_EMIT changed();
}
