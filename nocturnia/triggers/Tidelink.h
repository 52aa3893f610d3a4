#pragma once

#include "base/FolderAccess.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <memory>

class CommandOperations;
class FolderChooser;
class QCheckBox;
class StateField;

namespace conv {
class Timer;
class TimerSource;
} // namespace conv

// The folder trigger: a file with one of 28 names in the watched folder is overwritten,
// deleted, and the command its name stands for is performed. The folder is watched, not
// polled: its names are looked at when the watch reports one of them, when the folder or a
// box changes, and at enabling.
class Tidelink final : public QObject {
    Q_OBJECT
public:
    struct Links {
        FolderChooser& BrowseFolder1; // the watched folder
        QCheckBox& Check1;            // enables the trigger
        QCheckBox& Check2;            // ".txt"
        QCheckBox& Check3;            // ".jpg"
        QCheckBox& Check4;            // ".gif"
        QCheckBox& Check5;            // ".bmp"
        FolderAccess& folder;
        CommandOperations& commands;
        conv::TimerSource& timers;
    };

    explicit Tidelink(Links links, QObject* parent = nullptr);
    ~Tidelink() override;

    // The names in the order they are looked for: per type, the seven names.
    QStringList enabledNames() const;
    // The trigger file of `name` (such as "Shutdown.txt") in `folder`; an empty folder is
    // the root.
    static QString triggerPath(const QString& folder, const QString& name);

    // Looks for every enabled name now and handles what it finds.
    void check();

    // Overwrites the file's every byte in blocks of 4096 from the start, first with "X" and
    // then with blanks, one block more than the content fills, and makes it reach the disk.
    bool overwrite(const QString& path);
    // The overwrite, then the file's deletion.
    bool DestroyFile(const QString& path);

    // The hand-over flag: "0" once a file is deleted, "1" and then "0" just before its
    // command is performed.
    StateField* Text5;
    // Runs only while the folder cannot be watched: then it looks every 100 ms, as a tick
    // would, and tries the watch again. Otherwise it only hands a change over to the loop.
    std::unique_ptr<conv::Timer> Timer6;

private:
    bool enabled() const;
    void rearm();
    void requestCheck();
    void handle(const QString& path, const QString& name);
    void perform(const QString& name);

    Links m_links;
    // Files that could not be removed, performed once: left alone until they change.
    QHash<QString, FolderAccess::Identity> m_stuck;
    bool m_checking = false;
    bool m_again = false;
};
