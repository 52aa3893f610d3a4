#include "base/ClickableLabel.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "shell/Navigation.h"
#include "support/MainFixture.h"
#include "triggers/WirelessPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestNavigation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linksShowTheirPictureAndAHand() {
        Fixture f;
        Main& main = f.make();
        const Navigation& nav = *main.navigation;
        const struct {
            ClickableLabel* label;
            QLabel* image;
            const char* caption;
        } links[] = {
            {nav.Label28, nav.Image1, "Automatic Commands"},
            {nav.Label9, nav.Image2, "Wireless Technologies"},
            {nav.Label47, nav.Image3, "Sound Activation Console"},
            {nav.Label8, nav.Image4, "Exit Application"},
        };
        QList<QImage> pictures;
        for (const auto& link : links) {
            QCOMPARE(link.label->text(), QString::fromLatin1(link.caption));
            QCOMPARE(link.label->parentWidget(), main.Frame7);
            QCOMPARE(link.label->cursor().shape(), Qt::PointingHandCursor);
            const QImage picture = link.image->pixmap().toImage();
            QCOMPARE(picture.size(), QSize(16, 16));
            // Drawn, not blank, and to the left of its caption on the same row.
            QVERIFY(picture.pixelColor(8, 8).alpha() > 0 || picture.pixelColor(8, 4).alpha() > 0);
            QVERIFY(link.image->geometry().right() < link.label->x());
            QCOMPARE(link.image->y(), link.label->y());
            QVERIFY(!pictures.contains(picture));
            pictures << picture;
        }
        for (ClickableLabel* spot : {main.Label49, main.Label48}) {
            QCOMPARE(spot->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(!spot->accessibleName().isEmpty()); // they show no text of their own
        }
    }

    void switchingPagesKeepsTheirState() {
        Fixture f;
        Main& main = f.load();
        f.time.advance(4000);
        AutomaticCommandsPage& page = *main.page;
        page.CmbOption->setCurrentText(u"Restart Computer"_s);
        page.chkForce->setChecked(true);
        QTest::mouseClick(page.Option5, Qt::LeftButton); // the speed method
        QTest::mouseClick(page.CmdActive, Qt::LeftButton);
        QVERIFY(page.isArmed());
        main.wireless->Check1->setChecked(!main.wireless->Check1->isChecked());
        const bool tidelink = main.wireless->Check1->isChecked();
        const int height = main.height();

        QTest::mouseClick(main.Label9, Qt::LeftButton);
        QVERIFY(main.Frame8->isHidden());
        QVERIFY(!main.Frame5->isHidden());
        QTest::mouseClick(main.Label9, Qt::LeftButton); // again: still the same page
        QVERIFY(!main.Frame5->isHidden());
        QTest::mouseClick(main.Label28, Qt::LeftButton);
        QVERIFY(!main.Frame8->isHidden());
        QVERIFY(main.Frame5->isHidden());

        QCOMPARE(page.CmbOption->currentText(), u"Restart Computer"_s);
        QVERIFY(page.chkForce->isChecked());
        QVERIFY(page.Option5->isChecked());
        QVERIFY(page.isArmed());
        QCOMPARE(page.CmdActive->text(), u"Disable Schedule"_s);
        QCOMPARE(main.fields.Label5.text(), u"Active"_s);
        QCOMPARE(main.height(), height);
        QCOMPARE(main.wireless->Check1->isChecked(), tidelink);
    }

    void soundConsoleLinkUsesTheConsoleHook() {
        Fixture f;
        Main& main = f.load();
        QTest::mouseClick(main.Label47, Qt::LeftButton); // no console yet: nothing happens
        int opened = 0;
        main.showSoundConsole = [&] {
            ++opened;
        };
        QTest::mouseClick(main.Label47, Qt::LeftButton);
        QTest::mouseClick(main.Label47, Qt::RightButton);
        QCOMPARE(opened, 1);
    }

    void documentsOpenThroughLaunchApp_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("opened");
        QTest::newRow("F1") << u"F1"_s << u"/opt/nocturnia/Help.chm"_s;
        QTest::newRow("Label49") << u"Label49"_s << u"/opt/nocturnia/Help.chm"_s;
        QTest::newRow("Label48") << u"Label48"_s << u"/opt/nocturnia/Leafwise Campaign.pdf"_s;
    }
    void documentsOpenThroughLaunchApp() {
        QFETCH(QString, trigger);
        QFETCH(QString, opened);
        Fixture f;
        Main& main = f.load();
        f.time.advance(4000);
        if (trigger == u"F1"_s)
            QTest::keyClick(&main, Qt::Key_F1);
        else
            QTest::mouseClick(trigger == u"Label49"_s ? main.Label49 : main.Label48,
                              Qt::LeftButton);
        QCOMPARE(f.opener.opened, QStringList{opened});
    }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
