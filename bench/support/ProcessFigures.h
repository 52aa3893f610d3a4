#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <sys/resource.h>

// What the benchmarks read off their own process.

// CPU time of every thread so far, user and system, in seconds.
inline double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The most memory the process has held, in KiB.
inline long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Time each thread of the process has run, in seconds, by thread name (threads of one name
// added up; the main thread is "window", the others unnamed by their makers carry the
// program's name); the kernel counts it in nanoseconds.
inline QMap<QString, double> threadSeconds() {
    QMap<QString, double> seconds;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task) + QStringLiteral("/comm"));
        QFile schedule(tasks.filePath(task) + QStringLiteral("/schedstat"));
        if (!name.open(QIODevice::ReadOnly) || !schedule.open(QIODevice::ReadOnly))
            continue;
        const QByteArray ran = schedule.readAll().split(' ').value(0);
        const QString thread = task == QString::number(QCoreApplication::applicationPid())
                                   ? QStringLiteral("window")
                                   : QString::fromUtf8(name.readAll().trimmed());
        seconds[thread] += ran.toDouble() / 1e9;
    }
    return seconds;
}

// Context switches of every thread of the process: each is a wake-up.
inline qint64 wakeUps() {
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task) + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return total;
}
