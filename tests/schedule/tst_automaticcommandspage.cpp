#include "base/StateField.h"
#include "conventions/Timer.h"
#include "schedule/AutomaticCommandsPage.h"
#include "schedule/ScheduleFields.h"
#include "schedule/SecondTimers.h"
#include "support/ManualTime.h"
#include "support/RecordingDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Fixture {
    QGroupBox frame;
    RecordingDialogs dialogs;
    QStringList launched;
    QList<bool> heights;
    ManualTime time;
    SecondTimers secondTimers{time, time};
    ScheduleFields fields;
    AutomaticCommandsPage page{frame,
                               AutomaticCommandsPage::Links{
                                   dialogs, [this](const QString& path) { launched << path; },
                                   [this](bool speed) { heights << speed; }, fields, secondTimers}};

    Fixture() {
        for (const char* entry :
             {"Please Select A Command", "Shutdown Computer", "Restart Computer", "Log Off Windows",
              "Go Into Standby", "Go Into Hibernation", "Run A Specified File",
              "Sound Wake-up Alarm", "Display A Notification"})
            page.CmbOption->addItem(QString::fromLatin1(entry));
        page.CmbOption->setCurrentIndex(0);
        frame.show();
    }
    void select(const QString& command) { page.CmbOption->setCurrentText(command); }
    QFrame* visiblePanel() const {
        for (QFrame* panel : {page.Frame4, page.Frame2, page.Frame3, page.Frame10}) {
            if (panel->isVisible())
                return panel;
        }
        return nullptr;
    }
};

} // namespace

class TestAutomaticCommandsPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void designState() {
        Fixture f;
        QCOMPARE(f.page.CmdActive->text(), QStringLiteral("Schedule Command"));
        QVERIFY(f.page.chkForce->isHidden());
        QVERIFY(f.page.chkForce->isChecked());
        QVERIFY(f.page.Option6->isChecked());
        QCOMPARE(f.page.Option6->text(), QStringLiteral("Time && Date")); // shows as "Time & Date"
        QVERIFY(f.page.Frame12->isVisible());
        QVERIFY(!f.page.Frame9->isVisible());
        QCOMPARE(f.visiblePanel(), f.page.Frame4);
        for (QComboBox* threshold : {f.page.Combo1, f.page.Combo2}) {
            QCOMPARE(threshold->currentText(), QStringLiteral("50"));
            QCOMPARE(threshold->count(), 11);
            QCOMPARE(threshold->itemText(0), QStringLiteral("100"));
            QCOMPARE(threshold->itemText(10), QStringLiteral("5"));
        }
    }

    void forceBoxFollowsTheCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption"); // empty: hidden
        QTest::addColumn<QString>("panel");
        QTest::newRow("shutdown") << u"Shutdown Computer"_s << u"Force Shutdown"_s << u"Frame4"_s;
        QTest::newRow("restart") << u"Restart Computer"_s << u"Force Restart"_s << u"Frame4"_s;
        QTest::newRow("standby") << u"Go Into Standby"_s << u"Force Standby"_s << u"Frame4"_s;
        QTest::newRow("hibernation")
            << u"Go Into Hibernation"_s << u"Force Hibernation"_s << u"Frame4"_s;
        QTest::newRow("log off") << u"Log Off Windows"_s << u"Force Log-Off"_s << u"Frame4"_s;
        QTest::newRow("run file") << u"Run A Specified File"_s << u""_s << u"Frame3"_s;
        QTest::newRow("alarm") << u"Sound Wake-up Alarm"_s << u""_s << u"Frame2"_s;
        QTest::newRow("notification") << u"Display A Notification"_s << u""_s << u"Frame10"_s;
        QTest::newRow("prompt") << u"Please Select A Command"_s << u""_s << u"Frame4"_s;
    }
    void forceBoxFollowsTheCommand() {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QString, panel);
        Fixture f;
        f.select(QStringLiteral("Log Off Windows")); // start from another power command
        f.select(command);
        QCOMPARE(f.page.chkForce->isVisible(), !caption.isEmpty());
        if (!caption.isEmpty())
            QCOMPARE(f.page.chkForce->text(), caption);
        QCOMPARE(f.visiblePanel()->objectName(), panel);
    }

    void forceBoxKeepsTheUsersChoice() {
        Fixture f;
        f.select(QStringLiteral("Go Into Standby"));
        f.page.chkForce->setChecked(false);
        f.select(QStringLiteral("Display A Notification"));
        f.select(QStringLiteral("Restart Computer"));
        QVERIFY(f.page.chkForce->isVisible());
        QVERIFY(!f.page.chkForce->isChecked());
        f.page.chkForce->setChecked(true);
        f.select(QStringLiteral("Run A Specified File"));
        f.select(QStringLiteral("Go Into Standby"));
        QVERIFY(f.page.chkForce->isChecked());
        QCOMPARE(f.page.chkForce->text(), QStringLiteral("Force Standby"));
    }

    void methodsSwitchPanelsAndHeight() {
        Fixture f;
        QTest::mouseClick(f.page.Option5, Qt::LeftButton);
        QVERIFY(f.page.Option5->isChecked() && !f.page.Option6->isChecked());
        QVERIFY(f.page.Frame9->isVisible() && !f.page.Frame12->isVisible());
        QTest::mouseClick(f.page.Option6, Qt::LeftButton);
        QVERIFY(f.page.Frame12->isVisible() && !f.page.Frame9->isVisible());
        QCOMPARE(f.heights, (QList<bool>{true, false}));
    }

    void activationAlternatesByCaption() {
        Fixture f;
        f.select(QStringLiteral("Shutdown Computer"));
        f.fields.Text8.setText(QStringLiteral("1"));
        QTest::mouseClick(f.page.CmdActive, Qt::LeftButton);
        QCOMPARE(f.page.CmdActive->text(), QStringLiteral("Disable Schedule"));
        QVERIFY(f.page.Timer2->isActive());
        QCOMPARE(f.fields.Label5.text(), QStringLiteral("Active"));
        QCOMPARE(f.fields.lblActive.text(), QStringLiteral("The Trigger Is Activated"));
        QCOMPARE(f.fields.Text8.text(),
                 QStringLiteral("0")); // arming clears an earlier speed condition
        QVERIFY(f.page.isArmed());

        f.fields.Text8.setText(QStringLiteral("1"));
        QTest::mouseClick(f.page.CmdActive, Qt::LeftButton);
        QCOMPARE(f.page.CmdActive->text(), QStringLiteral("Schedule Command"));
        QVERIFY(!f.page.Timer2->isActive());
        QCOMPARE(f.fields.Label5.text(), QStringLiteral("Inactive"));
        QCOMPARE(f.fields.lblActive.text(), QStringLiteral("The Trigger Is Deactivated"));
        QCOMPARE(f.fields.Text8.text(), QStringLiteral("1")); // disarming keeps it

        f.page.CmdActive->setText(QStringLiteral("Something else"));
        f.page.CmdActive_Click();
        QVERIFY(!f.page.Timer2->isActive());
        QCOMPARE(f.fields.Label5.text(), QStringLiteral("Inactive"));
    }

    void browseAndTestTheFileToRun() {
        Fixture f;
        f.select(QStringLiteral("Run A Specified File"));
        f.page.Text2->setText(QStringLiteral("/home/ann/old.sh"));
        f.dialogs.fileAnswers = {QString(), QStringLiteral("/home/ann/wake up.ogg")};
        QTest::mouseClick(f.page.chameleonButton1, Qt::LeftButton); // cancelled
        QCOMPARE(f.page.Text2->text(), QStringLiteral("/home/ann/old.sh"));
        QTest::mouseClick(f.page.chameleonButton1, Qt::LeftButton);
        QCOMPARE(f.page.Text2->text(), QStringLiteral("/home/ann/wake up.ogg"));
        QCOMPARE(f.dialogs.fileRequests.value(0),
                 QStringLiteral("Browse For A File|All Files (*)"));
        QTest::mouseClick(f.page.Command2, Qt::LeftButton);
        QCOMPARE(f.launched, QStringList{u"/home/ann/wake up.ogg"_s});
        QVERIFY(!f.page.isArmed()); // testing does not arm
    }

    void typedThresholdIsTheThreshold() {
        Fixture f;
        QTest::mouseClick(f.page.Option5, Qt::LeftButton);
        f.page.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(f.page.Combo1->lineEdit(), QStringLiteral("75"));
        QCOMPARE(f.page.Combo1->currentText(), QStringLiteral("75"));
        QCOMPARE(f.page.Combo1->count(), 11); // typing adds no entry
    }
};

QTEST_MAIN(TestAutomaticCommandsPage)
#include "tst_automaticcommandspage.moc"
