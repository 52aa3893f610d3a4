#include "shell/Main.h"
#include "shell/TrayMenu.h"
#include "support/MainFixture.h"
#include "support/RecordingTrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The main window as the user sees it after the splash.
Main& shown(Fixture& f) {
    Main& main = f.load();
    f.time.advance(4000);
    return main;
}

void minimise(Main& main) {
    main.setWindowState(main.windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
}

} // namespace

class TestTray : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void minimiseHidesTheWindowBehindOneIcon() {
        Fixture f;
        Main& main = shown(f);
        QVERIFY(main.isVisible());
        QVERIFY(!f.tray.isShown()); // no icon before the first minimise
        minimise(main);
        QVERIFY(main.isHidden());
        QVERIFY(f.tray.isShown());
        QCOMPARE(f.tray.icon.cacheKey(), main.windowIcon().cacheKey()); // the program's icon
        QVERIFY(!f.tray.icon.isNull());

        main.tray->mnuOpen_Click();
        QVERIFY(main.isVisible());
        QVERIFY(!main.isMinimized());
        QVERIFY(f.tray.isShown()); // the icon stays until the program ends

        minimise(main);
        QVERIFY(main.isHidden());
        QVERIFY(f.tray.isShown());
        QCOMPARE(f.tray.removes, 0);
    }

    void onlyTheRightButtonOpensTheMenuAtThePointer_data() {
        QTest::addColumn<TrayIcon::Click>("click");
        QTest::addColumn<bool>("opens");
        QTest::newRow("right") << TrayIcon::Click::Right << true;
        QTest::newRow("left") << TrayIcon::Click::Left << false;
        QTest::newRow("double") << TrayIcon::Click::Double << false;
        QTest::newRow("middle") << TrayIcon::Click::Middle << false;
    }
    void onlyTheRightButtonOpensTheMenuAtThePointer() {
        QFETCH(TrayIcon::Click, click);
        QFETCH(bool, opens);
        Fixture f;
        Main& main = shown(f);
        minimise(main);
        f.tray.press(click, QPoint(300, 200));
        QCOMPARE(main.tray->mnu->isVisible(), opens);
        if (opens)
            QCOMPARE(main.tray->mnu->pos(), QPoint(300, 200));
        QVERIFY(main.isHidden()); // no click restores the window by itself
        main.tray->mnu->hide();
    }

    void menuHoldsItsItemsInOrder() {
        Fixture f;
        Main& main = f.make();
        const QList<QAction*> items = main.tray->mnu->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->text(), u"Activate &Sound Console"_s);
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[2]->text(), u"&Show Main Window"_s);
        QCOMPARE(items[3]->text(), u"&Exit"_s);
        QVERIFY(!main.tray->mnu->accessibleName().isEmpty());
    }

    void showMainWindowRestoresFromTheMenu() {
        Fixture f;
        Main& main = shown(f);
        minimise(main);
        f.tray.press(TrayIcon::Click::Right);
        main.tray->mnuOpen->trigger();
        QVERIFY(main.isVisible());
        QVERIFY(!main.isMinimized());
    }

    void exitFromTheMenuEndsTheProgramAndRemovesTheIcon() {
        Fixture f;
        Main& main = shown(f);
        minimise(main);
        QSignalSpy unloaded(&main, &Main::unloaded);
        f.tray.press(TrayIcon::Click::Right);
        main.tray->mnuExit->trigger();
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!f.tray.isShown());
        QVERIFY(!main.tray->mnu->isVisible());
        QCOMPARE(f.time.activeTimerCount(), 0);
    }

    void closeBoxRemovesTheIcon() {
        Fixture f;
        Main& main = shown(f);
        minimise(main);
        main.tray->mnuOpen_Click();
        QVERIFY(main.close());
        QVERIFY(!f.tray.isShown());
    }

    void soundConsoleItemUsesTheConsoleHook() {
        Fixture f;
        Main& main = shown(f);
        main.tray->mnuSound->trigger(); // no console yet: nothing happens
        int opened = 0;
        main.showSoundConsole = [&] {
            ++opened;
        };
        main.tray->mnuSound->trigger();
        QCOMPARE(opened, 1);
    }

    void withoutANotificationAreaTheWindowStaysMinimised_data() {
        QTest::addColumn<bool>("hasArea");
        QTest::addColumn<bool>("refuses");
        QTest::newRow("no notification area") << false << false;
        QTest::newRow("icon not taken") << true << true;
    }
    void withoutANotificationAreaTheWindowStaysMinimised() {
        QFETCH(bool, hasArea);
        QFETCH(bool, refuses);
        Fixture f;
        f.tray.hasArea = hasArea;
        f.tray.refuses = refuses;
        Main& main = shown(f);
        minimise(main);
        QVERIFY(!main.isHidden()); // on the task bar, never lost
        QVERIFY(main.isMinimized());
        QVERIFY(!f.tray.isShown());

        // Once the desktop has an area, the next minimise goes there.
        f.tray.hasArea = true;
        f.tray.refuses = false;
        main.setWindowState(Qt::WindowNoState);
        minimise(main);
        QVERIFY(main.isHidden());
        QVERIFY(f.tray.isShown());
    }

    void restoringBeforeTheHideKeepsTheWindow() {
        // The hide waits for the state change to finish; a restore in between wins.
        Fixture f;
        Main& main = shown(f);
        main.setWindowState(Qt::WindowMinimized);
        main.setWindowState(Qt::WindowNoState);
        QCoreApplication::processEvents();
        QVERIFY(main.isVisible());
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
