#pragma once

#include "base/RunList.h"

#include <QString>
#include <QStringList>

// The run list as the desktop's autostart folder: an entry is the desktop entry
// FOLDER/NAME.desktop, present while it has a command and is not hidden.
class XdgAutostartRunList final : public RunList {
public:
    // `folder` is the autostart folder, $XDG_CONFIG_HOME/autostart for the user's session.
    explicit XdgAutostartRunList(QString folder);

    QString entry(const QString& name) const override;
    bool setEntry(const QString& name, const QString& program, const QString& arguments) override;
    bool removeEntry(const QString& name) override;

    QString entryFile(const QString& name) const;

    // The command text of an entry for `program` and `arguments`, each one quoted argument
    // (the arguments left out when empty), as it reads once the file's escapes are undone.
    static QString command(const QString& program, const QString& arguments);
    // The arguments a desktop session makes of a command text; empty when it is malformed.
    static QStringList commandArguments(const QString& command);

private:
    QString m_folder;
};
