#include "controls/Run_At_StartUp.h"
#include "platform/XdgAutostartRunList.h"
#include "support/FileContents.h"
#include "support/OddFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using nocturnia::Run_At_StartUp;

namespace {

// The real autostart folder, counting what is written.
class CountingRunList final : public RunList {
public:
    explicit CountingRunList(const QString& folder)
        : real(folder) {}
    XdgAutostartRunList real;
    int writes = 0;
    int removals = 0;
    QString entry(const QString& name) const override { return real.entry(name); }
    bool setEntry(const QString& name, const QString& program, const QString& arguments) override {
        ++writes;
        return real.setEntry(name, program, arguments);
    }
    bool removeEntry(const QString& name) override {
        ++removals;
        return real.removeEntry(name);
    }
};

// What desktop-file-validate says of the file; empty when it accepts it.
QString validationProblems(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    if (tool.isEmpty())
        return u"desktop-file-validate is not installed (package desktop-file-utils)"_s;
    QProcess validate;
    validate.start(tool, {path});
    validate.waitForFinished();
    const QString output =
        QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
    if (validate.exitStatus() != QProcess::NormalExit || validate.exitCode() != 0)
        return output.isEmpty() ? u"rejected"_s : output;
    return output.trimmed(); // hints and warnings count too
}

} // namespace

class RunAtStartUpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A pipe or an oversized file where the entry belongs reads as no entry, at once.
    void entryThatIsNoRegularFileReadsAsAbsent() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"autostart"_s);
        QVERIFY(QDir().mkpath(folder));
        XdgAutostartRunList list(folder);
        QVERIFY(makeOddFile(OddFile::Fifo, folder + u"/fifo.desktop"_s));
        QCOMPARE(list.entry(u"fifo"_s), QString());
        QFile big(folder + u"/big.desktop"_s);
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("[Desktop Entry]\nExec=/usr/bin/true\n");
        big.write(QByteArray(128 * 1024, '#'));
        big.close();
        QCOMPARE(list.entry(u"big"_s), QString());
    }

    void noEntryStartsUncheckedAndWritesNothing() {
        QTemporaryDir dir;
        CountingRunList list(dir.filePath(u"autostart"_s));
        Run_At_StartUp control(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        QVERIFY(!control.runAtStartUp());
        QCOMPARE(control.RunAtStart->checkState(), Qt::Unchecked);
        QCOMPARE(list.writes + list.removals, 0);
        QVERIFY(!QFile::exists(dir.filePath(u"autostart"_s)));
    }

    // Entries that do not count as a registration: the box starts unchecked and the file is
    // left as it is.
    void absentEntries_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nType=Application\nName=n\n"
                                              "Exec=\"/opt/nocturnia/nocturnia\" \nHidden=true\n");
        QTest::newRow("empty command")
            << QByteArray("[Desktop Entry]\nType=Application\nName=n\nExec=\n");
        QTest::newRow("command in another group")
            << QByteArray("[Desktop Entry]\nType=Application\nName=n\n[Desktop Action a]\n"
                          "Exec=/bin/true\n");
        QTest::newRow("empty file") << QByteArray();
    }
    void absentEntries() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(u"autostart"_s)));
        CountingRunList list(dir.filePath(u"autostart"_s));
        const QString file = list.real.entryFile(u"nocturnia"_s);
        writeFile(file, content);
        Run_At_StartUp control(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        QVERIFY(!control.runAtStartUp());
        QCOMPARE(list.writes + list.removals, 0);
        QCOMPARE(readAll(file), content);
    }

    void entryFromAnotherFolderIsRewrittenAtCreation() {
        QTemporaryDir dir;
        CountingRunList list(dir.filePath(u"autostart"_s));
        QVERIFY(list.real.setEntry(u"nocturnia"_s, u"/old/place/nocturnia"_s, u"--tray"_s));
        Run_At_StartUp control(list, u"/opt/new place"_s, u"nocturnia"_s);
        QVERIFY(control.runAtStartUp());
        QCOMPARE(list.writes, 1);
        // The current folder, and the arguments dropped: they are not read before the write.
        QCOMPARE(XdgAutostartRunList::commandArguments(list.real.entry(u"nocturnia"_s)),
                 QStringList{u"/opt/new place/nocturnia"_s});
    }

    void writingTheSameStateWritesOnce() {
        QTemporaryDir dir;
        CountingRunList list(dir.filePath(u"autostart"_s));
        Run_At_StartUp control(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        QSignalSpy changes(&control, &Run_At_StartUp::Change);
        QSignalSpy properties(&control, &Run_At_StartUp::propertyChanged);
        control.setRunAtStartUp(true);
        control.setRunAtStartUp(true);
        QCOMPARE(list.writes, 1);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(properties.count(), 2); // the host hears of both writes
        control.setRunAtStartUp(false);
        control.setRunAtStartUp(false);
        QCOMPARE(list.removals, 1);
        QCOMPARE(changes.count(), 2);
        QVERIFY(!QFile::exists(list.real.entryFile(u"nocturnia"_s)));
        QVERIFY(!control.qurey());
    }

    void clickingTheBoxRegistersAndUnregisters() {
        QTemporaryDir dir;
        CountingRunList list(dir.filePath(u"autostart"_s));
        Run_At_StartUp control(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        control.resize(300, 20);
        control.show();
        QSignalSpy changes(&control, &Run_At_StartUp::Change);
        control.RunAtStart->click();
        QVERIFY(control.runAtStartUp());
        QVERIFY(!list.real.entry(u"nocturnia"_s).isEmpty());
        control.RunAtStart->click();
        QVERIFY(!control.runAtStartUp());
        QVERIFY(list.real.entry(u"nocturnia"_s).isEmpty());
        QCOMPARE(changes.count(), 2);
        QCOMPARE(control.RunAtStart->geometry(), control.rect());
    }

    // Paths with the characters that are special in a desktop entry's command, and a
    // program in the root folder.
    void pathsRoundTripThroughAValidEntry_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("program");
        QTest::newRow("plain") << u"/opt/nocturnia"_s << QString() << u"/opt/nocturnia/nocturnia"_s;
        QTest::newRow("root") << u"/"_s << QString() << u"/nocturnia"_s;
        QTest::newRow("spaces") << u"/home/a b/My Programs"_s << QString()
                                << u"/home/a b/My Programs/nocturnia"_s;
        QTest::newRow("quotes") << u"/home/a/\"quoted\" 'single'"_s << QString()
                                << u"/home/a/\"quoted\" 'single'/nocturnia"_s;
        QTest::newRow("percent dollar backtick backslash")
            << u"/home/a/100% $HOME `x` back\\slash"_s << QString()
            << u"/home/a/100% $HOME `x` back\\slash/nocturnia"_s;
        QTest::newRow("arguments")
            << u"/opt/n"_s << u"--start hidden %f"_s << u"/opt/n/nocturnia"_s;
    }
    void pathsRoundTripThroughAValidEntry() {
        QFETCH(QString, folder);
        QFETCH(QString, arguments);
        QFETCH(QString, program);
        QTemporaryDir dir;
        XdgAutostartRunList list(dir.filePath(u"autostart"_s));
        Run_At_StartUp control(list, folder, u"nocturnia"_s);
        control.setCmdLineArg(arguments);
        control.setRunAtStartUp(true);
        QStringList expected{program};
        if (!arguments.isEmpty())
            expected << arguments;
        QCOMPARE(XdgAutostartRunList::commandArguments(list.entry(u"nocturnia"_s)), expected);
        QCOMPARE(validationProblems(list.entryFile(u"nocturnia"_s)), QString());
        // A new control sees the entry.
        Run_At_StartUp again(list, folder, u"nocturnia"_s);
        QVERIFY(again.runAtStartUp());
    }

    void designIsStoredInOrderWithTheNumbersAlways() {
        QTemporaryDir dir;
        XdgAutostartRunList list(dir.filePath(u"autostart"_s));
        Run_At_StartUp control(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        const QFont ambient(u"Tahoma"_s, 8);
        conv::PropertyBag design;
        design.write(u"prbCaption"_s, u"Load Nocturnia automatically when Windows starts"_s);
        design.write(u"prbBackColor"_s, conv::ColourValue{0xFFFFFF});
        design.write(u"prbForeColor"_s, conv::ColourValue{0x404040});
        design.write(u"Font"_s, conv::FontValue{u"MS Sans Serif"_s, 8.25, true});
        design.write(u"prbAlignment"_s, qint16(1));
        QSignalSpy properties(&control, &Run_At_StartUp::propertyChanged);
        control.readProperties(design, ambient);
        QCOMPARE(properties.count(), 0); // reading is no change
        QCOMPARE(control.caption(), u"Load Nocturnia automatically when Windows starts"_s);
        QCOMPARE(control.alignment(), 1);
        QCOMPARE(control.RunAtStart->layoutDirection(), Qt::RightToLeft);
        QVERIFY(control.RunAtStart->font().bold());
        // What shows: the box painted on white, its caption in dark grey.
        control.resize(320, 20);
        const QImage shown = control.grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() / 2, 1), QColor(Qt::white));
        bool darkGrey = false;
        for (int x = 0; x < shown.width() && !darkGrey; ++x) {
            for (int y = 0; y < shown.height() && !darkGrey; ++y)
                darkGrey = shown.pixelColor(x, y) == QColor(0x40, 0x40, 0x40);
        }
        QVERIFY(darkGrey);

        conv::PropertyBag written;
        control.writeProperties(written, ambient);
        QStringList keys;
        for (const auto& entry : written.entries())
            keys << entry.key;
        // The empty arguments equal their default; the numbers never do.
        QCOMPARE(keys, (QStringList{u"prbCaption"_s, u"prbBackColor"_s, u"prbForeColor"_s,
                                    u"Font"_s, u"prbAlignment"_s}));

        conv::PropertyBag plain;
        Run_At_StartUp fresh(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        fresh.readProperties(conv::PropertyBag(), ambient);
        fresh.writeProperties(plain, ambient);
        QVERIFY(plain.contains(u"prbAlignment"_s));
        QVERIFY(!plain.contains(u"Font"_s)); // the host's font is the default
        QCOMPARE(fresh.controlFont().family(), ambient.family());
    }

    void centreAlignmentIsStoredAsLeft() {
        QTemporaryDir dir;
        XdgAutostartRunList list(dir.filePath(u"autostart"_s));
        Run_At_StartUp control(list, u"/opt/nocturnia"_s, u"nocturnia"_s);
        control.setAlignment(2);
        QCOMPARE(control.alignment(), 0);
        control.setAlignment(1);
        QCOMPARE(control.alignment(), 1);
    }
};

QTEST_MAIN(RunAtStartUpTest)
#include "tst_runatstartup.moc"
