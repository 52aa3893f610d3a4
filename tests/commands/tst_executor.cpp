#include "commands/CommandCatalogue.h"
#include "commands/CommandExecutor.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

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
        QString text = texts.value(qMin(reads, int(texts.size()) - 1));
        ++reads;
        return text;
    }
    bool forceFlag() const override {
        ++forceReads;
        return force;
    }
    void shutDown(PowerKind kind, bool forced) override {
        calls << QStringLiteral("power %1 %2").arg(static_cast<int>(kind)).arg(forced);
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
        QTest::newRow("shutdown") << u"Shutdown Computer"_s << false << QStringList{u"power 1 0"_s};
        QTest::newRow("forced shutdown")
            << u"Shutdown Computer"_s << true << QStringList{u"power 1 1"_s};
        QTest::newRow("restart") << u"Restart Computer"_s << false << QStringList{u"power 2 0"_s};
        QTest::newRow("forced log off")
            << u"Log Off Windows"_s << true << QStringList{u"power 0 1"_s};
        QTest::newRow("standby") << u"Go Into Standby"_s << false << QStringList{u"power 6 0"_s};
        QTest::newRow("forced hibernation")
            << u"Go Into Hibernation"_s << true << QStringList{u"power 5 1"_s};
        QTest::newRow("run file launches, then toggles")
            << u"Run A Specified File"_s << true << QStringList{u"run file"_s, u"toggle"_s};
        QTest::newRow("notification")
            << u"Display A Notification"_s << true << QStringList{u"notification"_s};
        QTest::newRow("alarm") << u"Sound Wake-up Alarm"_s << true << QStringList{u"alarm"_s};
        QTest::newRow("prompt does nothing")
            << u"Please Select A Command"_s << true << QStringList{};
        QTest::newRow("names compare with letter case")
            << u"shutdown computer"_s << true << QStringList{};
        QTest::newRow("no selection") << u""_s << true << QStringList{};
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
        targets.texts = {u"x"_s, u"Shutdown Computer"_s,  u"x"_s,
                         u"x"_s, u"Go Into Standby"_s,    u"x"_s,
                         u"x"_s, u"Sound Wake-up Alarm"_s};
        PerformSelectedCommand(targets);
        QCOMPARE(targets.calls, (QStringList{u"power 1 0"_s, u"power 6 0"_s, u"alarm"_s}));
        QCOMPARE(targets.reads, 8);
    }

    void catalogueWithAndWithoutHibernation() {
        using namespace CommandCatalogue;
        const QList<QString> full = entries(true);
        QCOMPARE(full,
                 (QList<QString>{u"Please Select A Command"_s, u"Shutdown Computer"_s,
                                 u"Restart Computer"_s, u"Log Off Windows"_s, u"Go Into Standby"_s,
                                 u"Go Into Hibernation"_s, u"Run A Specified File"_s,
                                 u"Sound Wake-up Alarm"_s, u"Display A Notification"_s}));
        const QList<QString> without = entries(false);
        QCOMPARE(without.size(), 8);
        QCOMPARE(without.indexOf(QStringLiteral("Run A Specified File")), 5);
        QVERIFY(!without.contains(QStringLiteral("Go Into Hibernation")));
    }
};

QTEST_APPLESS_MAIN(TestExecutor)
#include "tst_executor.moc"
