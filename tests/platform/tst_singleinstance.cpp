#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Asks from a thread of its own, as a second program would: the running one answers from its
// event loop, which the test's thread keeps turning.
class Asker {
public:
    explicit Asker(const QString& base)
        : m_thread(QThread::create([this, base] {
            SingleInstance later(base);
            claim = later.claim();
            if (claim == SingleInstance::Claim::Running)
                answered = later.askRunningToShow(5000);
            done = true;
        })) {
        m_thread->start();
    }
    ~Asker() { m_thread->wait(); }
    std::atomic<SingleInstance::Claim> claim{SingleInstance::Claim::Unchecked};
    std::atomic<bool> answered{false};
    std::atomic<bool> done{false};

private:
    std::unique_ptr<QThread> m_thread;
};

// A second program started now finds `running` and has it show its window, once.
void secondProgramShowsTheRunningOne(SingleInstance& running, const QString& base) {
    QSignalSpy shown(&running, &SingleInstance::showRequested);
    Asker later(base);
    QTRY_VERIFY(later.done);
    QCOMPARE(later.claim, SingleInstance::Claim::Running);
    QVERIFY(later.answered);
    QCOMPARE(shown.count(), 1);
}

// A program that started first, in a runtime folder of its own.
struct FirstProgram {
    QTemporaryDir dir;
    const QString base = dir.filePath(u"nocturnia"_s);
    SingleInstance instance{base};
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void laterStartAsksTheRunningOneToShow() {
        FirstProgram first;
        QCOMPARE(first.instance.claim(), SingleInstance::Claim::First);
        secondProgramShowsTheRunningOne(first.instance, first.base);
    }

    void aLongRunningProgramKeepsItsLock() {
        FirstProgram first;
        QCOMPARE(first.instance.claim(), SingleInstance::Claim::First);
        // As if it had started a day ago.
        QFile lock(first.base + u".lock"_s);
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
        lock.close();
        SingleInstance later(first.base);
        QCOMPARE(later.claim(), SingleInstance::Claim::Running);
    }

    void lockOfACrashedProgramIsTakenOver() {
        QTemporaryDir dir;
        const QString base = dir.filePath(u"nocturnia"_s);
        const QString lockPath = base + u".lock"_s;
        // A lock as a program writes it, with the number of a process that has ended.
        QByteArray content;
        {
            QLockFile lock(lockPath);
            QVERIFY(lock.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            content = file.readAll();
            lock.unlock();
        }
        QProcess gone;
        gone.start(u"true"_s);
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
        const int firstLineEnd = content.indexOf('\n');
        QVERIFY(firstLineEnd > 0);
        content = QByteArray::number(deadPid) + content.mid(firstLineEnd);
        {
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        // And the socket file it left behind.
        {
            QFile leftover(base + u".socket"_s);
            QVERIFY(leftover.open(QIODevice::WriteOnly));
        }

        SingleInstance next(base);
        QCOMPARE(next.claim(), SingleInstance::Claim::First);
        secondProgramShowsTheRunningOne(next, base);
    }

    void aStrangerOnTheSocketShowsNothing() {
        FirstProgram first;
        QCOMPARE(first.instance.claim(), SingleInstance::Claim::First);
        QSignalSpy shown(&first.instance, &SingleInstance::showRequested);
        QLocalSocket stranger;
        stranger.connectToServer(first.instance.socketPath());
        QVERIFY(stranger.waitForConnected(1000));
        stranger.write(QByteArray(200, 'x') + "\n");
        stranger.flush();
        QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(shown.count(), 0);
    }

    void withoutARuntimeFolderTheProgramStillStarts() {
        SingleInstance instance(u"/nonexistent-folder/nocturnia"_s);
        QCOMPARE(instance.claim(), SingleInstance::Claim::Unchecked);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
