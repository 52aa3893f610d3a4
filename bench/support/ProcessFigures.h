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

// What one thread (or the threads of one name) has done so far.
struct ThreadFigures {
    double seconds = 0; // time run, user and system
    qint64 runs = 0;    // times it was put on a core: its wake-ups, near enough
};

// Each thread of the process by thread name (threads of one name added up; the main thread is
// "window", the others unnamed by their makers carry the program's name); the kernel counts
// time in nanoseconds.
inline QMap<QString, ThreadFigures> threadFigures() {
    QMap<QString, ThreadFigures> figures;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task) + QStringLiteral("/comm"));
        QFile schedule(tasks.filePath(task) + QStringLiteral("/schedstat"));
        if (!name.open(QIODevice::ReadOnly) || !schedule.open(QIODevice::ReadOnly))
            continue;
        // Time on a core in ns, time waiting for one, times put on one.
        const QList<QByteArray> fields = schedule.readAll().trimmed().split(' ');
        const QString thread = task == QString::number(QCoreApplication::applicationPid())
                                   ? QStringLiteral("window")
                                   : QString::fromUtf8(name.readAll().trimmed());
        figures[thread].seconds += fields.value(0).toDouble() / 1e9;
        figures[thread].runs += fields.value(2).toLongLong();
    }
    return figures;
}
