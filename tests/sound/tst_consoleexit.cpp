// Starting the program with the sound console open, sampling and exiting, 50 times over, on a
// private sound server: every run measures a block and ends cleanly.
#include "support/PrivatePulse.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestConsoleExit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startSampleExitFiftyTimes() {
        PrivatePulse pulse;
        QString error;
        QVERIFY2(pulse.start(&error), qPrintable(error));
        QTemporaryDir home;
        QProcessEnvironment environment = pulse.clientEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        // No desktop bus: nothing may start one that outlives the run.
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"disabled:"_s);
        const QString program = QCoreApplication::applicationDirPath() + u"/console_run"_s;
        for (int run = 1; run <= 50; ++run) {
            QProcess process;
            process.setProcessEnvironment(environment);
            dieWithParent(process);
            process.start(program);
            // The event loop runs meanwhile: it drains the sound server's log.
            const QDeadlineTimer deadline(15000);
            while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
                QTest::qWait(20);
            const bool finished = process.state() == QProcess::NotRunning;
            if (!finished) {
                process.kill();
                process.waitForFinished();
            }
            const QString report =
                QStringLiteral("run %1: %2 %3")
                    .arg(run)
                    .arg(QString::fromLocal8Bit(process.readAllStandardOutput()),
                         QString::fromLocal8Bit(process.readAllStandardError()).right(2000));
            QVERIFY2(finished, qPrintable(report));
            QVERIFY2(process.exitStatus() == QProcess::NormalExit, qPrintable(report));
            QVERIFY2(process.exitCode() == 0, qPrintable(report));
        }
    }
};

QTEST_GUILESS_MAIN(TestConsoleExit)
#include "tst_consoleexit.moc"
