#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running program per user: the first start holds a lock file and listens on a local
// socket beside it; a later start finds the lock taken, asks the running program through the
// socket to show its window, and ends. A lock left by a program that crashed is taken over, and
// the socket file it left is replaced.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,     // this is the running program now
        Running,   // another start of the program runs
        Unchecked, // the lock could not be made (no runtime folder): run without the check
    };

    // `basePath`: the lock is basePath + ".lock", the socket basePath + ".socket".
    explicit SingleInstance(const QString& basePath, QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim();
    // Asks the running program to show its main window; true when it answered in time.
    bool askRunningToShow(int timeoutMs);

    QString socketPath() const { return m_socketPath; }

Q_SIGNALS:
    // A later start asked for the main window.
    void showRequested();

private:
    void answer();

    QLockFile m_lock;
    QString m_socketPath;
    QLocalServer m_server;
};
