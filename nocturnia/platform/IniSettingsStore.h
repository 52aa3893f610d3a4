#pragma once

#include "base/SettingsStore.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The settings store as one UTF-8 INI file the user may also edit by hand:
//
//   # comments start with "#" or ";"
//   [Nocturnia/Settings]
//   Folder = /home/ann/Incoming
//
// Application and section names form the header, percent-encoded where they hold "/",
// brackets, "=" or line breaks. Names are trimmed; values keep every character, with \\, \n,
// \r escaped and blanks at their ends written as \s or \t; any other backslash is text.
// The file is read line by line: a line that cannot be read (not UTF-8, no "=", outside a
// section) is skipped and logged with its number, the rest is used. Only a regular file of at
// most 1 MiB is read, opened without blocking; it is parsed once and again only when it
// changes. Every write changes one entry and replaces the file atomically (written beside it,
// flushed to disk, renamed over it). A damaged file is first copied aside under a name of
// its own ("<file>.corrupt-<time>"), never over an earlier copy, and every entry that could
// be read is carried into the new file.
class IniSettingsStore final : public SettingsStore {
public:
    static constexpr qint64 kMaximumFileSize = qint64(1024) * 1024;

    explicit IniSettingsStore(QString filePath);

    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    WriteResult write(const QString& application, const QString& section, const QString& key,
                      const QString& value) override;

    QString filePath() const { return m_filePath; }

private:
    struct Section {
        QString application;
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    using Document = QList<Section>;
    enum class LoadState { Loaded, Missing, Unreadable, Damaged };
    struct Loaded {
        LoadState state = LoadState::Missing;
        Document document;
        QString error; // why the file cannot be read or replaced
    };
    // What identifies one version of the file without reading it.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        quint64 inode = 0;
        quint64 device = 0;
        bool operator==(const Stamp& other) const;
    };

    const Loaded& load() const;
    Loaded loadFromDisk() const;
    Stamp stamp() const;
    static Document parse(const QByteArray& bytes, const QString& fileName, bool* damaged);
    static QString serialise(const Document& document);
    QString keepAside(QString* error) const;

    QString m_filePath;
    mutable std::optional<Loaded> m_loaded;
    mutable Stamp m_loadedStamp;
};
