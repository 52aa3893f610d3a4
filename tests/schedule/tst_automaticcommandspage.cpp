#include "AutomaticCommandsPage.h"
#include "ManualTime.h"
#include "RecordingDialogs.h"
#include "StateField.h"
#include "conventions/Timer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

struct Fixture {
    QGroupBox frame;
    RecordingDialogs dialogs;
    QStringList launched;
    QList<bool> heights;
    ManualTime time;
    std::unique_ptr<conv::Timer> timer2 = time.createTimer();
    StateField label5{QStringLiteral("Inactive")};
    StateField lblActive{QStringLiteral("The Trigger Is Deactivated")};
    StateField text8{QStringLiteral("0")};
    AutomaticCommandsPage page{
        frame, AutomaticCommandsPage::Links{
                   dialogs, [this](const QString& path) { launched << path; },
                   [this](bool speed) { heights << speed; }, *timer2, label5, lblActive, text8}};

    Fixture() {
        timer2->setInterval(1);
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
        QTest::newRow("shutdown") << "Shutdown Computer"
                                  << "Force Shutdown"
                                  << "Frame4";
        QTest::newRow("restart") << "Restart Computer"
                                 << "Force Restart"
                                 << "Frame4";
        QTest::newRow("standby") << "Go Into Standby"
                                 << "Force Standby"
                                 << "Frame4";
        QTest::newRow("hibernation") << "Go Into Hibernation"
                                     << "Force Hibernation"
                                     << "Frame4";
        QTest::newRow("log off") << "Log Off Windows"
                                 << "Force Log-Off"
                                 << "Frame4";
        QTest::newRow("run file") << "Run A Specified File"
                                  << ""
                                  << "Frame3";
        QTest::newRow("alarm") << "Sound Wake-up Alarm"
                               << ""
                               << "Frame2";
        QTest::newRow("notification") << "Display A Notification"
                                      << ""
                                      << "Frame10";
        QTest::newRow("prompt") << "Please Select A Command"
                                << ""
                                << "Frame4";
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
        f.text8.setText(QStringLiteral("1"));
        QTest::mouseClick(f.page.CmdActive, Qt::LeftButton);
        QCOMPARE(f.page.CmdActive->text(), QStringLiteral("Disable Schedule"));
        QVERIFY(f.timer2->isActive());
        QCOMPARE(f.label5.text(), QStringLiteral("Active"));
        QCOMPARE(f.lblActive.text(), QStringLiteral("The Trigger Is Activated"));
        QCOMPARE(f.text8.text(), QStringLiteral("0")); // arming clears an earlier speed condition
        QVERIFY(f.page.isArmed());

        f.text8.setText(QStringLiteral("1"));
        QTest::mouseClick(f.page.CmdActive, Qt::LeftButton);
        QCOMPARE(f.page.CmdActive->text(), QStringLiteral("Schedule Command"));
        QVERIFY(!f.timer2->isActive());
        QCOMPARE(f.label5.text(), QStringLiteral("Inactive"));
        QCOMPARE(f.lblActive.text(), QStringLiteral("The Trigger Is Deactivated"));
        QCOMPARE(f.text8.text(), QStringLiteral("1")); // disarming keeps it

        f.page.CmdActive->setText(QStringLiteral("Something else"));
        f.page.CmdActive_Click();
        QVERIFY(!f.timer2->isActive());
        QCOMPARE(f.label5.text(), QStringLiteral("Inactive"));
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
        QCOMPARE(f.launched, QStringList{"/home/ann/wake up.ogg"});
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
