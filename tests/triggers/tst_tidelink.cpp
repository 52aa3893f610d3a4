#include "base/FolderChooser.h"
#include "base/StateField.h"
#include "controls/Run_At_StartUp.h"
#include "support/FileContents.h"
#include "support/MainFixture.h"
#include "support/OddFile.h"
#include "triggers/Tidelink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A main window whose folder trigger watches "incoming" in the fixture's folder, enabled.
struct Trigger {
    Fixture f;
    Main& main = f.loadWithPicker();
    WirelessPage& page = *main.wireless;
    Tidelink& tidelink = *page.tidelink;
    QString folder = f.dir.filePath(u"incoming"_s);

    Trigger() {
        QDir().mkpath(folder);
        page.BrowseFolder1->setPath(folder);
        main.page->chkForce->setChecked(false);
        f.time.advance(0);
    }
    QString file(const QString& name) const { return folder + u'/' + name; }
    void enable() {
        page.Check1->setChecked(true);
        f.time.advance(0);
    }
    // What the watch reports arrives through the event loop; the look it asks for runs on
    // the clock.
    bool lookedAfterWatch(const std::function<bool()>& done) {
        return QTest::qWaitFor(
            [&] {
                f.time.advance(0);
                return done();
            },
            2000);
    }
};

} // namespace

class TidelinkTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesInTheirOrder() {
        Trigger t;
        const QStringList names = t.tidelink.enabledNames();
        QCOMPARE(names.size(), 28);
        QCOMPARE(names.mid(0, 7),
                 (QStringList{u"Alarm.txt"_s, u"Shutdown.txt"_s, u"Run.txt"_s, u"Restart.txt"_s,
                              u"Logoff.txt"_s, u"Standby.txt"_s, u"Hibernate.txt"_s}));
        QCOMPARE(names.at(7), u"Alarm.jpg"_s);
        QCOMPARE(names.at(27), u"Hibernate.bmp"_s);
        t.page.Check3->setChecked(false);
        t.page.Check5->setCheckState(Qt::PartiallyChecked); // grey counts as unchecked
        QCOMPARE(t.tidelink.enabledNames().size(), 14);
        QCOMPARE(t.tidelink.enabledNames().at(7), u"Alarm.gif"_s);
        // No folder: the root.
        QCOMPARE(Tidelink::triggerPath(QString(), u"Shutdown.txt"_s), u"/Shutdown.txt"_s);
        QCOMPARE(Tidelink::triggerPath(u"/srv/in/"_s, u"Run.bmp"_s), u"/srv/in//Run.bmp"_s);
    }

    void eachNameAndTypePerformsItsCommand_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("request");
        const struct {
            const char* name;
            const char* request;
        } names[] = {{"Shutdown", "request power off"},
                     {"Restart", "request reboot"},
                     {"Logoff", "request log off"},
                     {"Standby", "request suspend"},
                     {"Hibernate", "request hibernate"}};
        for (const char* extension : {"txt", "jpg", "gif", "bmp"}) {
            for (const auto& name : names) {
                const QString file =
                    QString::fromLatin1(name.name) + u'.' + QLatin1String(extension);
                QTest::newRow(qPrintable(file))
                    << file << false << QString::fromLatin1(name.request) + u" normal"_s;
            }
        }
        QTest::newRow("forced") << u"Shutdown.gif"_s << true << u"request power off forced"_s;
    }
    void eachNameAndTypePerformsItsCommand() {
        QFETCH(QString, file);
        QFETCH(bool, force);
        QFETCH(QString, request);
        Trigger t;
        t.main.page->chkForce->setChecked(force);
        t.f.power.hibernateAnswer = u"yes"_s;
        writeFile(t.file(file), "content");
        t.enable();
        QVERIFY(!QFile::exists(t.file(file)));
        QVERIFY2(t.f.power.calls.contains(request), qPrintable(t.f.power.calls.join(u", ")));
        QCOMPARE(t.tidelink.Text5->text(), u"0"_s);
        // Handled once: looking again finds nothing.
        const QStringList calls = t.f.power.calls;
        t.tidelink.check();
        QCOMPARE(t.f.power.calls, calls);
    }

    void alarmAndRunFiles() {
        Trigger t;
        t.main.page->Text2->setText(u"/srv/documents/plan.pdf"_s);
        writeFile(t.file(u"Alarm.bmp"_s), "");
        writeFile(t.file(u"Run.jpg"_s), "");
        QVERIFY(!t.main.page->isArmed());
        t.enable();
        QVERIFY(!t.f.player.calls.isEmpty()); // the alarm sounds
        QCOMPARE(t.f.opener.opened, QStringList{u"/srv/documents/plan.pdf"_s});
        QVERIFY(t.main.page->isArmed()); // as a click of the arm button
        writeFile(t.file(u"Run.txt"_s), "");
        t.tidelink.check();
        QVERIFY(!t.main.page->isArmed());
        QCOMPARE(t.f.opener.opened.size(), 2);
        QVERIFY(t.f.power.calls.filter(u"request"_s).isEmpty());
    }

    void severalFilesInOnePassInOrder() {
        Trigger t;
        writeFile(t.file(u"Shutdown.txt"_s), "");
        writeFile(t.file(u"Alarm.txt"_s), "");
        // Just before each command: how much the alarm and the power service had been asked.
        QList<QPair<qsizetype, qsizetype>> before;
        connect(t.tidelink.Text5, &StateField::changed, this, [&](const QString& text) {
            if (text == u"1"_s)
                before.append(
                    {t.f.player.calls.size(), t.f.power.calls.filter(u"request"_s).size()});
        });
        t.enable();
        QCOMPARE(before.size(), 2);
        QCOMPARE(before.at(0), (QPair<qsizetype, qsizetype>(0, 0))); // the alarm first
        QVERIFY(before.at(1).first > 0);                             // then the shutdown
        QCOMPARE(before.at(1).second, 0);
        QCOMPARE(t.f.power.calls.filter(u"request"_s), QStringList{u"request power off normal"_s});
        QVERIFY(QDir(t.folder).isEmpty());
    }

    void disabledTriggerOrTypeTouchesNothing() {
        Trigger t;
        writeFile(t.file(u"Shutdown.jpg"_s), "keep");
        writeFile(t.file(u"Restart.txt"_s), "keep");
        t.tidelink.check(); // Check1 unchecked
        t.page.Check1->setCheckState(Qt::PartiallyChecked);
        t.f.time.advance(1000);
        QCOMPARE(readAll(t.file(u"Shutdown.jpg"_s)), QByteArray("keep"));
        QCOMPARE(readAll(t.file(u"Restart.txt"_s)), QByteArray("keep"));
        QVERIFY(t.f.power.calls.filter(u"request"_s).isEmpty());
        t.page.Check3->setChecked(false);
        t.page.Check2->setChecked(false);
        t.enable();
        QCOMPARE(readAll(t.file(u"Shutdown.jpg"_s)), QByteArray("keep"));
        QCOMPARE(readAll(t.file(u"Restart.txt"_s)), QByteArray("keep"));
        // A box checked again takes effect at once, saved or not.
        t.page.Check3->setChecked(true);
        t.f.time.advance(0);
        QVERIFY(!QFile::exists(t.file(u"Shutdown.jpg"_s)));
        QVERIFY(QFile::exists(t.file(u"Restart.txt"_s)));
    }

    void overwriteInBlocks_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("overwritten");
        QTest::newRow("empty") << 0 << 4096;
        QTest::newRow("one byte") << 1 << 4096;
        QTest::newRow("4095") << 4095 << 4096;
        QTest::newRow("8192 in three blocks") << 8192 << 12288;
        QTest::newRow("8193") << 8193 << 12288;
    }
    void overwriteInBlocks() {
        QFETCH(int, length);
        QFETCH(int, overwritten);
        Trigger t;
        const QString kept = t.f.dir.filePath(u"kept.txt"_s);
        writeFile(kept, QByteArray(length, 'a'));
        QVERIFY(t.tidelink.overwrite(kept));
        QCOMPARE(readAll(kept), QByteArray(overwritten, ' '));
        QVERIFY(t.tidelink.DestroyFile(kept));
        QVERIFY(!QFile::exists(kept));
        QCOMPARE(t.tidelink.Text5->text(), u"0"_s);
    }

    void linkIsRemovedAndItsTargetUntouched() {
        Trigger t;
        const QString target = t.f.dir.filePath(u"precious.txt"_s);
        writeFile(target, "precious");
        QVERIFY(QFile::link(target, t.file(u"Shutdown.txt"_s)));
        t.enable();
        QCOMPARE(readAll(target), QByteArray("precious"));
        QVERIFY(!QFileInfo(t.file(u"Shutdown.txt"_s)).isSymLink());
        QVERIFY(t.f.power.calls.contains(u"request power off normal"_s));
        // Nor does the overwrite step follow a link.
        const QString link = t.f.dir.filePath(u"link"_s);
        QVERIFY(QFile::link(target, link));
        QVERIFY(!t.tidelink.overwrite(link));
        QCOMPARE(readAll(target), QByteArray("precious"));
    }

    void hardLinkedFileKeepsItsOtherName() {
        Trigger t;
        const QString other = t.f.dir.filePath(u"other-name.txt"_s);
        writeFile(other, "shared content");
        QCOMPARE(::link(QFile::encodeName(other).constData(),
                        QFile::encodeName(t.file(u"Restart.txt"_s)).constData()),
                 0);
        t.enable();
        QVERIFY(!QFile::exists(t.file(u"Restart.txt"_s)));
        QCOMPARE(readAll(other), QByteArray("shared content"));
        QVERIFY(t.f.power.calls.contains(u"request reboot normal"_s));
    }

    void notTriggerFilesAreLeftAloneWithoutBlocking_data() {
        QTest::addColumn<OddFile>("kind");
        QTest::newRow("fifo") << OddFile::Fifo;
        QTest::newRow("folder") << OddFile::Folder;
        QTest::newRow("unreadable") << OddFile::Unreadable;
    }
    void notTriggerFilesAreLeftAloneWithoutBlocking() {
        QFETCH(OddFile, kind);
        if (kind == OddFile::Unreadable && ::geteuid() == 0)
            QSKIP("root reads every file");
        Trigger t;
        const QString path = t.file(u"Shutdown.txt"_s);
        QVERIFY(makeOddFile(kind, path));
        t.enable(); // a pipe opened for reading would wait here for ever
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(t.f.power.calls.filter(u"request"_s).isEmpty());
    }

    void undeletableFileIsPerformedOnceUntilItChanges() {
        Trigger t;
        t.f.folder.failRemove = true;
        writeFile(t.file(u"Logoff.txt"_s), "x");
        t.enable();
        QCOMPARE(t.f.power.calls.filter(u"request"_s).size(), 1);
        for (int i = 0; i < 5; ++i)
            t.tidelink.check();
        t.page.Check4->setChecked(false); // a box change looks again
        t.f.time.advance(1000);
        QCOMPARE(t.f.power.calls.filter(u"request"_s).size(), 1);
        // Written again: a new request.
        writeFile(t.file(u"Logoff.txt"_s), "written again, longer");
        t.tidelink.check();
        QCOMPARE(t.f.power.calls.filter(u"request"_s).size(), 2);
        // Gone and back: a new request as well.
        t.f.folder.failRemove = false;
        QVERIFY(QFile::remove(t.file(u"Logoff.txt"_s)));
        t.tidelink.check();
        writeFile(t.file(u"Logoff.txt"_s), "x");
        t.tidelink.check();
        QCOMPARE(t.f.power.calls.filter(u"request"_s).size(), 3);
        QVERIFY(!QFile::exists(t.file(u"Logoff.txt"_s)));
    }

    void fileDroppedWhileEnabledIsFoundThroughTheWatch() {
        Trigger t;
        t.enable();
        QVERIFY(t.f.folder.isWatching());
        // Nothing polls while the folder is watched.
        QVERIFY(!t.tidelink.Timer6->isActive());
        writeFile(t.file(u"other.txt"_s), "no trigger"); // another name: no look at all
        writeFile(t.file(u"Standby.txt"_s), "x");
        QVERIFY(
            t.lookedAfterWatch([&] { return !t.f.power.calls.filter(u"request"_s).isEmpty(); }));
        QCOMPARE(t.f.power.calls.filter(u"request"_s), QStringList{u"request suspend normal"_s});
        QVERIFY(!QFile::exists(t.file(u"Standby.txt"_s)));
        QVERIFY(QFile::exists(t.file(u"other.txt"_s)));
        QVERIFY(!t.tidelink.Timer6->isActive());
        // Unchecking stops the watch.
        t.page.Check1->setChecked(false);
        QVERIFY(!t.f.folder.isWatching());
    }

    void missingFolderIsLookedForEveryTick() {
        Trigger t;
        const QString later = t.f.dir.filePath(u"later"_s);
        t.page.BrowseFolder1->setPath(later);
        t.enable();
        QVERIFY(!t.f.folder.isWatching());
        QVERIFY(t.tidelink.Timer6->isActive());
        QVERIFY(QDir().mkdir(later));
        t.f.time.advance(100);
        QVERIFY(t.f.folder.isWatching()); // the watch is set once the folder is there
        QVERIFY(!t.tidelink.Timer6->isActive());
        // Removed while watched: back to looking every tick.
        QVERIFY(QDir(later).removeRecursively());
        QVERIFY(t.lookedAfterWatch([&] { return !t.f.folder.isWatching(); }));
        t.f.time.advance(0);
        QVERIFY(t.tidelink.Timer6->isActive());
    }

    void saveWritesFolderTidelinkAndStartup() {
        Trigger t;
        t.enable();
        t.page.Run_At_StartUp1->setRunAtStartUp(true);
        QVERIFY(t.page.Label23_Click());
        QCOMPARE(t.f.settings.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, QString()),
                 t.folder);
        QCOMPARE(t.f.settings.read(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, QString()),
                 u"1"_s);
        QCOMPARE(t.f.settings.read(u"Nocturnia"_s, u"Settings"_s, u"Startup"_s, QString()),
                 u"True"_s);
        QCOMPARE(t.f.dialogs.messages.size(), 1);
        QCOMPARE(t.f.dialogs.messages.at(0).text, u"Your settings have been successfully saved!"_s);
        // The next start shows them.
        Fixture again;
        again.settings.write(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, t.folder);
        again.settings.write(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s);
        Main& main = again.loadWithPicker();
        QCOMPARE(main.wireless->BrowseFolder1->path(), t.folder);
        QVERIFY(main.wireless->Check1->isChecked());
    }

    void failedSaveIsReportedNotConfirmed() {
        Trigger t;
        // The settings file cannot be made where a folder stands.
        QVERIFY(QDir().mkpath(t.f.dir.filePath(u"settings.ini"_s)));
        QVERIFY(!t.page.Label23_Click());
        QCOMPARE(t.f.dialogs.messages.size(), 1);
        QCOMPARE(t.f.dialogs.messages.at(0).icon, RecordingDialogs::Message::Icon::Warning);
    }
};

QTEST_MAIN(TidelinkTest)
#include "tst_tidelink.moc"
