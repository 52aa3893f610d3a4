#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// What the folder trigger does to the watched folder: looks at names without opening them,
// overwrites and removes the files it finds, and watches the folder for those names.
class FolderAccess : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Absent, // nothing under the name
        File,   // a regular file that can be opened for reading
        Link,   // a symbolic link, whatever it points at
        Other,  // a folder, pipe, device, socket, or a file that cannot be read
    };
    // What tells one file from another, or from itself changed.
    struct Identity {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        friend bool operator==(const Identity& a, const Identity& b) {
            return a.device == b.device && a.inode == b.inode && a.size == b.size &&
                   a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
        }
    };
    struct Entry {
        Kind kind = Kind::Absent;
        quint64 links = 0; // hard links of a file
        Identity identity;
    };

    // An opened file being overwritten in place.
    class Overwrite {
    public:
        virtual ~Overwrite() = default;
        virtual qint64 length() const = 0; // below 0 when it cannot be told
        virtual bool writeAt(qint64 position, const QByteArray& bytes) = 0;
        // Makes what was written reach the disk.
        virtual bool flush() = 0;
    };

    using QObject::QObject;

    // Never follows a link and never blocks.
    virtual Entry inspect(const QString& path) const = 0;
    // Opens a regular file with one link for writing, never through a link and never
    // blocking; null otherwise.
    virtual std::unique_ptr<Overwrite> openForOverwrite(const QString& path) = 0;
    // Removes the name itself (a link, not its target).
    virtual bool remove(const QString& path) = 0;

    // Watches `folder` for `names` appearing, being written, changed or going: changed()
    // follows. One folder at a time; false when the folder cannot be watched (then nothing
    // is watched).
    virtual bool watch(const QString& folder, const QStringList& names) = 0;
    virtual void unwatch() = 0;
    // False once the watched folder went away or was never watched.
    virtual bool isWatching() const = 0;

Q_SIGNALS:
    void changed();
};
