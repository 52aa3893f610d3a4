#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>

// A python3-dbusmock service on a private bus: a template ("--template logind") or a bare
// object (NAME PATH INTERFACE) that the test gives methods. Records every call it gets.
class DBusMock {
public:
    DBusMock() = default;
    ~DBusMock();
    DBusMock(const DBusMock&) = delete;
    DBusMock& operator=(const DBusMock&) = delete;

    // Starts the mock on the bus and waits until it owns serviceName.
    bool start(const QDBusConnection& bus, const QString& busAddress, const QString& serviceName,
               const QString& objectPath, const QStringList& arguments, QString* error);
    void stop();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    // Adds or replaces a method of the mock's object; code is Python run for each call.
    bool addMethod(const QString& interface, const QString& name, const QString& inSignature,
                   const QString& outSignature, const QString& code);
    void clearCalls();
    // The calls received since the last clearCalls(), each as "Method(arg,arg)".
    QStringList calls();

private:
    QDBusMessage mockCall(const QString& method, const QVariantList& arguments);

    QProcess m_process;
    QDBusConnection m_bus{QString()};
    QString m_service;
    QString m_path;
};
