#pragma once

#include "base/SettingsStore.h"

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The settings store as one UTF-8 INI file:
//
//   [Nocturnia/Settings]
//   Folder=/home/ann/Incoming
//
// Application and section names form the header, percent-encoded where they hold "/",
// brackets, "=" or line breaks; values keep every character, with \\, \n, \r escaped.
// Every write reads the file afresh, changes one entry and replaces the file atomically
// (written beside it, flushed to disk, renamed over it). A file that cannot be read as
// such reads as empty; the first write then keeps it aside as "<file>.corrupt".
class IniSettingsStore final : public SettingsStore {
public:
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
    enum class LoadState { Loaded, Missing, Unreadable, Corrupt };

    LoadState load(Document& document, QString* error) const;
    static std::optional<Document> parse(const QString& text);
    static QString serialise(const Document& document);

    QString m_filePath;
};
