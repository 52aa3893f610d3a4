#include "CommandCatalogue.h"
#include "CommandExecutor.h"

#include <QTest>

namespace {

// Records what the executor asks for; the command list can change under it between reads.
class RecordingTargets final : public CommandTargets {
public:
    QStringList texts; // the command list's text at each successive read (the last one repeats)
    bool force = false;
    mutable int reads = 0;
    mutable int forceReads = 0;
    QStringList calls;

    QString selectedCommand() const override {
        const QString text = texts.value(qMin(reads, int(texts.size()) - 1));
        ++reads;
        return text;
    }
    bool forceFlag() const override {
        ++forceReads;
        return force;
    }
    void shutDown(int kind, bool forced) override {
        calls << QStringLiteral("power %1 %2").arg(kind).arg(forced);
    }
    void testRunFile() override { calls << QStringLiteral("run file"); }
    void toggleSchedule() override { calls << QStringLiteral("toggle"); }
    void showNotification() override { calls << QStringLiteral("notification"); }
    void soundWakeUpAlarm() override { calls << QStringLiteral("alarm"); }
};

} // namespace

class TestExecutor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachCommandDoesItsOneThing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("shutdown") << "Shutdown Computer" << false << QStringList{"power 1 0"};
        QTest::newRow("forced shutdown") << "Shutdown Computer" << true << QStringList{"power 1 1"};
        QTest::newRow("restart") << "Restart Computer" << false << QStringList{"power 2 0"};
        QTest::newRow("forced log off") << "Log Off Windows" << true << QStringList{"power 0 1"};
        QTest::newRow("standby") << "Go Into Standby" << false << QStringList{"power 6 0"};
        QTest::newRow("forced hibernation")
            << "Go Into Hibernation" << true << QStringList{"power 5 1"};
        QTest::newRow("run file launches, then toggles")
            << "Run A Specified File" << true << QStringList{"run file", "toggle"};
        QTest::newRow("notification")
            << "Display A Notification" << true << QStringList{"notification"};
        QTest::newRow("alarm") << "Sound Wake-up Alarm" << true << QStringList{"alarm"};
        QTest::newRow("prompt does nothing") << "Please Select A Command" << true << QStringList{};
        QTest::newRow("names compare with letter case")
            << "shutdown computer" << true << QStringList{};
        QTest::newRow("no selection") << "" << true << QStringList{};
    }
    void eachCommandDoesItsOneThing() {
        QFETCH(QString, command);
        QFETCH(bool, force);
        QFETCH(QStringList, calls);
        RecordingTargets targets;
        targets.texts = {command};
        targets.force = force;
        PerformSelectedCommand(targets);
        QCOMPARE(targets.calls, calls);
        // Only power commands look at the force box, each once, right before its request.
        QCOMPARE(targets.forceReads, calls.filter(QStringLiteral("power")).size());
    }

    void everyTestReadsTheListAfresh() {
        // The list changes between the tests (a handler ran inside the request): the tests
        // that come later see the new text, the earlier ones are not made again.
        RecordingTargets targets;
        // One read per test, in the order: run file, the five power commands, notification,
        // alarm.
        targets.texts = {"x", "Shutdown Computer",  "x", "x", "Go Into Standby", "x",
                         "x", "Sound Wake-up Alarm"};
        PerformSelectedCommand(targets);
        QCOMPARE(targets.calls, (QStringList{"power 1 0", "power 6 0", "alarm"}));
        QCOMPARE(targets.reads, 8);
    }

    void catalogueWithAndWithoutHibernation() {
        using namespace CommandCatalogue;
        const QList<QString> full = entries(true);
        QCOMPARE(full, (QList<QString>{"Please Select A Command", "Shutdown Computer",
                                       "Restart Computer", "Log Off Windows", "Go Into Standby",
                                       "Go Into Hibernation", "Run A Specified File",
                                       "Sound Wake-up Alarm", "Display A Notification"}));
        const QList<QString> without = entries(false);
        QCOMPARE(without.size(), 8);
        QCOMPARE(without.indexOf(QStringLiteral("Run A Specified File")), 5);
        QVERIFY(!without.contains(QStringLiteral("Go Into Hibernation")));
    }
};

QTEST_APPLESS_MAIN(TestExecutor)
#include "tst_executor.moc"
