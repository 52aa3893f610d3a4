// The program as built, started twice in one private session: the second start brings up the
// first one's window and ends; after the first one is killed, its lock does not block the next
// start.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
const char* const kListening = "listening for later starts";
const char* const kAsked = "a later start asked for the main window";
} // namespace

class TestSecondStart : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch;

    QProcessEnvironment session() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, m_scratch.filePath(u"runtime"_s));
        env.insert(u"XDG_CONFIG_HOME"_s, m_scratch.filePath(u"config"_s));
        // No session bus to find, and none started behind the test's back.
        env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"disabled:"_s);
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, u"disabled:"_s);
        env.insert(u"QT_LOGGING_RULES"_s, u"nocturnia.instance.info=true"_s);
        return env;
    }

    void start(QProcess& program) {
        program.setProcessEnvironment(session());
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(NOCTURNIA_EXECUTABLE), QStringList());
        QVERIFY(program.waitForStarted());
    }

    static void stop(QProcess& program) {
        program.kill();
        program.waitForFinished();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(QDir().mkpath(m_scratch.filePath(u"config"_s)));
        QVERIFY(QDir().mkdir(m_scratch.filePath(u"runtime"_s)));
        QFile::setPermissions(m_scratch.filePath(u"runtime"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void secondStartShowsTheFirstAndEnds() {
        const QString socket = m_scratch.filePath(u"runtime/nocturnia.socket"_s);
        QProcess first;
        start(first);
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardOutput()).contains(kListening),
                                 20000);
        QVERIFY(QFile::exists(socket));

        QProcess second;
        QElapsedTimer took;
        took.start();
        start(second);
        QVERIFY(second.waitForFinished(10000));
        qInfo("the second start ended after %lld ms", took.elapsed());
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardOutput()).contains(kAsked), 5000);
        QCOMPARE(first.state(), QProcess::Running);

        // Killed, the first start leaves its lock and socket behind; the next start takes over
        // and is then the one a later start reaches.
        stop(first);
        QVERIFY(QFile::exists(socket));
        QProcess next;
        start(next);
        QByteArray nextLog;
        QTRY_VERIFY_WITH_TIMEOUT((nextLog += next.readAllStandardOutput()).contains(kListening),
                                 20000);
        QProcess later;
        start(later);
        QVERIFY(later.waitForFinished(10000));
        QCOMPARE(later.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT((nextLog += next.readAllStandardOutput()).contains(kAsked), 5000);
        stop(next);
    }
};

QTEST_GUILESS_MAIN(TestSecondStart)
#include "tst_secondstart.moc"
