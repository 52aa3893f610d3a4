#include "base/SettingsSave.h"
#include "platform/IniSettingsStore.h"
#include "support/FileContents.h"
#include "support/OddFile.h"
#include "support/RecordingDialogs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The settings store's log while it lives.
class SettingsLog {
public:
    SettingsLog() {
        s_current = this;
        m_previous = qInstallMessageHandler(&SettingsLog::handle);
    }
    ~SettingsLog() {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList lines;
    int count(const QString& pattern) const {
        return int(lines.filter(QRegularExpression(pattern)).size());
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (s_current && qstrcmp(context.category, "nocturnia.settings") == 0)
            s_current->lines << text;
        else if (s_current)
            s_current->m_previous(type, context, text);
    }
    static inline SettingsLog* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
};

QStringList asideCopies(const QString& settingsFile) {
    const QFileInfo info(settingsFile);
    QStringList copies;
    for (const QString& name :
         QDir(info.absolutePath())
             .entryList({info.fileName() + QStringLiteral(".corrupt*")}, QDir::Files, QDir::Name))
        copies << info.absolutePath() + QLatin1Char('/') + name;
    return copies;
}

// A store whose writes of one key fail, to see a save go on past a failure.
class FailingKeyStore final : public SettingsStore {
public:
    explicit FailingKeyStore(QString failingKey)
        : m_failingKey(std::move(failingKey)) {}
    QStringList written;
    QString read(const QString&, const QString&, const QString&, const QString& d) const override {
        return d;
    }
    WriteResult write(const QString&, const QString&, const QString& key, const QString&) override {
        written << key;
        if (key == m_failingKey)
            return {false, QStringLiteral("No space left on device")};
        return {};
    }

private:
    QString m_failingKey;
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name = QStringLiteral("settings.ini")) const {
        return m_dir.filePath(QStringLiteral("config/nocturnia/") + name);
    }

private Q_SLOTS:
    void init() { QDir(m_dir.filePath(QStringLiteral("config"))).removeRecursively(); }

    void readingNeverCreatesAnything() {
        IniSettingsStore store(path());
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/design"_s),
                 QStringLiteral("/design"));
        QVERIFY(!QFile::exists(path()));
        QVERIFY(!QDir(m_dir.filePath(QStringLiteral("config"))).exists());
    }

    void namesCompareWithoutLetterCase() {
        IniSettingsStore store(path());
        QVERIFY(store.write(u"Nocturnia"_s, u"Audio"_s, u"Triggers"_s, u"80"_s).ok);
        QCOMPARE(store.read(u"NOCTURNIA"_s, u"audio"_s, u"triggers"_s, u"0"_s),
                 QStringLiteral("80"));
        // A write in another spelling replaces the entry instead of adding a second one.
        QVERIFY(store.write(u"nocturnia"_s, u"AUDIO"_s, u"TRIGGERS"_s, u"75"_s).ok);
        QCOMPARE(store.read(u"Nocturnia"_s, u"Audio"_s, u"Triggers"_s, u"0"_s),
                 QStringLiteral("75"));
        QCOMPARE(readAll(path()).count("riggers"), 1);
        // "Setting" and "Settings" are different sections.
        QVERIFY(store.write(u"Nocturnia"_s, u"Setting"_s, u"Connection"_s, u"2"_s).ok);
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Connection"_s, u"0"_s),
                 QStringLiteral("0"));
    }

    void missingPartsGiveTheDefault() {
        IniSettingsStore store(path());
        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s).ok);
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Missing"_s, u"d"_s),
                 QStringLiteral("d"));
        QCOMPARE(store.read(u"Nocturnia"_s, u"Missing"_s, u"Tidelink"_s, u"d"_s),
                 QStringLiteral("d"));
        QCOMPARE(store.read(u"Other"_s, u"Settings"_s, u"Tidelink"_s, u"d"_s), QStringLiteral("d"));
    }

    void valuesAndNamesRoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("path with spaces") << u"Folder"_s << u"/home/ann/My Incoming"_s;
        QTest::newRow("empty") << u"Folder"_s << u""_s;
        QTest::newRow("leading and trailing blanks") << u"Background Noise"_s << u"  12.5 "_s;
        QTest::newRow("line breaks and backslashes") << u"Text"_s << u"a\\nb\nc\r\nd\\"_s;
        QTest::newRow("escapes as text") << u"Text"_s << u"\\s \\t\\ x\\"_s;
        QTest::newRow("only blanks") << u"Text"_s << u" \t "_s;
        QTest::newRow("equals and brackets") << u"k=[x]/y;#"_s << u"v=[1]"_s;
        QTest::newRow("non-ASCII")
            << QString::fromUtf8("Ordner ä") << QString::fromUtf8("/home/zoë/Übertragungen");
    }
    void valuesAndNamesRoundTrip() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        IniSettingsStore store(path());
        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, key, value).ok);
        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"After"_s, u"still here"_s).ok);
        IniSettingsStore reopened(path());
        QCOMPARE(reopened.read(u"Nocturnia"_s, u"Settings"_s, key, u"default"_s), value);
        QCOMPARE(reopened.read(u"Nocturnia"_s, u"Settings"_s, u"After"_s, u"default"_s),
                 QStringLiteral("still here"));
    }

    // Each line stands on its own: a bad one is skipped and logged with its number, every
    // other entry is read, and the first write keeps the damaged file aside and carries the
    // entries that were read into the new file.
    void damagedFilesKeepWhatCanBeRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries"); // Folder, Tidelink, Name as read
        QTest::addColumn<QStringList>("logged");
        QTest::addColumn<bool>("damaged");
        const QString none = u"-"_s;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff\xfe", 12)
                                << QStringList{none, none, none}
                                << QStringList{u"line 1 skipped: not UTF-8"_s,
                                               u"line 2 skipped: no name=value"_s,
                                               u"line 3 skipped: not UTF-8"_s}
                                << true;
        QTest::newRow("one line not UTF-8")
            << QByteArray("[Nocturnia/Settings]\nFolder=/in\nName=caf\xe9\nTidelink=1\n")
            << QStringList{u"/in"_s, u"1"_s, none} << QStringList{u"line 3 skipped: not UTF-8"_s}
            << true;
        QTest::newRow("comments") << QByteArray("# mine\n[Nocturnia/Settings]\n  ; old: /x\n"
                                                "Folder=/in\n#Tidelink=0\n")
                                  << QStringList{u"/in"_s, none, none} << QStringList() << false;
        QTest::newRow("backslash before a blank")
            << QByteArray("[Nocturnia/Settings]\nFolder=/home/ann/my\\ folder\nName=C:\\\n")
            << QStringList{u"/home/ann/my\\ folder"_s, none, u"C:\\"_s} << QStringList() << false;
        QTest::newRow("header without a section")
            << QByteArray("[Nocturnia]\nFolder=/x\n[Nocturnia/Settings]\nTidelink=1\n")
            << QStringList{none, u"1"_s, none}
            << QStringList{u"line 1 skipped: a header without"_s,
                           u"line 2 skipped: an entry outside a section"_s}
            << true;
        QTest::newRow("spaces around equals")
            << QByteArray("[Nocturnia/Settings]\n  Folder  =  /in \r\nName\t= Ann B\n")
            << QStringList{u"/in"_s, none, u"Ann B"_s} << QStringList() << false;
        QTest::newRow("entry outside a section")
            << QByteArray("Folder=/x\n[Nocturnia/Settings]\nTidelink=1\n")
            << QStringList{none, u"1"_s, none}
            << QStringList{u"line 1 skipped: an entry outside a section"_s} << true;
        QTest::newRow("line without equals")
            << QByteArray("[Nocturnia/Settings]\nFolder\nTidelink=1\n=2\n")
            << QStringList{none, u"1"_s, none}
            << QStringList{u"line 2 skipped: no name=value"_s, u"line 4 skipped: no name=value"_s}
            << true;
        QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBF[Nocturnia/Settings]\nName=x\n")
            << QStringList{none, none, u"x"_s} << QStringList() << false;
    }
    void damagedFilesKeepWhatCanBeRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, logged);
        QFETCH(bool, damaged);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        writeFile(path(), bytes);
        SettingsLog log;
        IniSettingsStore store(path());
        const QStringList keys{u"Folder"_s, u"Tidelink"_s, u"Name"_s};
        const auto entriesOf = [&](const IniSettingsStore& from) {
            QStringList values;
            for (const QString& key : keys)
                values << from.read(u"Nocturnia"_s, u"Settings"_s, key, u"-"_s);
            return values;
        };
        QCOMPARE(entriesOf(store), entries);
        QCOMPARE(entriesOf(store), entries);
        QCOMPARE(readAll(path()), bytes); // reading changes nothing
        // Logged once, with its line number, however often the file is read.
        QCOMPARE(log.lines.size(), logged.size());
        for (const QString& line : logged)
            QVERIFY2(log.count(QRegularExpression::escape(line)) == 1, qPrintable(line));

        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Startup"_s, u"False"_s).ok);
        IniSettingsStore reopened(path());
        QCOMPARE(entriesOf(reopened), entries);
        QCOMPARE(reopened.read(u"Nocturnia"_s, u"Settings"_s, u"Startup"_s, u"-"_s),
                 QStringLiteral("False"));
        const QStringList copies = asideCopies(path());
        QCOMPARE(copies.size(), damaged ? 1 : 0);
        if (damaged)
            QCOMPARE(readAll(copies.first()), bytes);
    }

    void everyDamagedFileIsKept() {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        IniSettingsStore store(path());
        SettingsLog log;
        const QList<QByteArray> damaged{QByteArray("first\n"), QByteArray("second\n"),
                                        QByteArray("third\n")};
        for (const QByteArray& bytes : damaged) {
            writeFile(path(), bytes);
            QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s).ok);
        }
        QStringList kept;
        for (const QString& copy : asideCopies(path()))
            kept << QString::fromLatin1(readAll(copy));
        kept.sort();
        QCOMPARE(kept, (QStringList{u"first\n"_s, u"second\n"_s, u"third\n"_s}));
        QCOMPARE(log.count(u"kept as"_s), 3);
    }

    void valuesWithBlanksAtTheirEndsSurviveAHandEdit() {
        IniSettingsStore store(path());
        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Noise"_s, u" \t12.5  "_s).ok);
        QVERIFY(readAll(path()).contains("Noise=\\s\\t12.5\\s\\s\n"));
        // Someone changes another entry by hand; the store sees it without a restart.
        QByteArray edited = readAll(path());
        edited.replace("[Nocturnia/Settings]\n", "[Nocturnia/Settings]\nFolder = /by hand\n");
        writeFile(path(), edited);
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"-"_s),
                 QStringLiteral("/by hand"));
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Noise"_s, u"-"_s),
                 QStringLiteral(" \t12.5  "));
    }

    // Neither read whole nor waited for: the program must start whatever lies there.
    void filesThatAreNotSettingsAreNotRead_data() {
        QTest::addColumn<OddFile>("kind");
        QTest::newRow("FIFO") << OddFile::Fifo;
        QTest::newRow("link to /dev/zero") << OddFile::LinkToZero;
        QTest::newRow("folder") << OddFile::Folder;
    }
    void filesThatAreNotSettingsAreNotRead() {
        QFETCH(OddFile, kind);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QVERIFY(makeOddFile(kind, path()));
        SettingsLog log;
        IniSettingsStore store(path());
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"d"_s),
                 QStringLiteral("d"));
        QCOMPARE(log.count(u"is not a regular file"_s), 1);
        const auto result = store.write(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/x"_s);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(QStringLiteral("is not a regular file")),
                 qPrintable(result.error));
        QVERIFY(asideCopies(path()).isEmpty());
        QFileInfo info(path());
        QVERIFY(info.isSymLink() || info.isDir() || !info.isFile());
    }

    void anOversizedFileIsRefusedAndKept() {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QByteArray big("[Nocturnia/Settings]\nFolder=/in\n");
        big.append(QByteArray(IniSettingsStore::kMaximumFileSize, '#'));
        writeFile(path(), big);
        SettingsLog log;
        IniSettingsStore store(path());
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"d"_s),
                 QStringLiteral("d"));
        QCOMPARE(log.count(u"larger than 1 MiB"_s), 1);
        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s).ok);
        QCOMPARE(readAll(path()), QByteArray("[Nocturnia/Settings]\nTidelink=1\n"));
        QCOMPARE(asideCopies(path()).size(), 1);
        QCOMPARE(QFileInfo(asideCopies(path()).first()).size(), big.size());
    }

    // On a full file system the system's reason reaches the user, and the file that was
    // there stays as it was.
    void aFullDiskReportsTheReason() {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root");
        QTemporaryDir mountPoint;
        const QByteArray where = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no tmpfs can be mounted here");
        const auto unmount = qScopeGuard([&] { ::umount2(where.constData(), MNT_DETACH); });
        const QString file = mountPoint.filePath(QStringLiteral("settings.ini"));
        IniSettingsStore store(file);
        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/in"_s).ok);
        const QByteArray before = readAll(file);
        {
            QFile filler(mountPoint.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
        const auto result =
            store.write(u"Nocturnia"_s, u"Settings"_s, u"Text"_s, QString(16 * 1024, u'x'));
        QVERIFY(!result.ok);
        QCOMPARE(result.error, QStringLiteral("No space left on device"));
        QCOMPARE(readAll(file), before);
        QCOMPARE(IniSettingsStore(file).read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"-"_s),
                 QStringLiteral("/in"));
    }

    void writeThatCannotBeMadeReportsWhy() {
        // The store's folder is a file: nothing can be created there (also not for root).
        QDir().mkpath(m_dir.filePath(QStringLiteral("config")));
        writeFile(m_dir.filePath(QStringLiteral("config/nocturnia")), "not a folder");
        IniSettingsStore store(path());
        const auto result = store.write(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/x"_s);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"d"_s),
                 QStringLiteral("d"));
    }

    void unreadableFileIsNeitherReadNorReplaced() {
        QDir().mkpath(path()); // a folder where the file should be
        IniSettingsStore store(path());
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"d"_s),
                 QStringLiteral("d"));
        QVERIFY(!store.write(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/x"_s).ok);
        QVERIFY(QFileInfo(path()).isDir());
    }

    void saveConfirmsOnlyWhenEveryWriteSucceeded() {
        IniSettingsStore store(path());
        RecordingDialogs dialogs;
        const QList<SettingsEntry> entries{
            {u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/in"_s},
            {u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s},
            {u"Nocturnia"_s, u"Settings"_s, u"Startup"_s, u"False"_s}};
        QVERIFY(saveSettings(store, entries, dialogs, nullptr,
                             QStringLiteral("Your settings have been successfully saved!")));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].icon, RecordingDialogs::Message::Icon::Information);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Nocturnia"));
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("Your settings have been successfully saved!"));
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Startup"_s, u""_s),
                 QStringLiteral("False"));
    }

    void failedWriteIsReportedAndTheOthersStillRun() {
        FailingKeyStore store(QStringLiteral("Tidelink"));
        RecordingDialogs dialogs;
        const QList<SettingsEntry> entries{
            {u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/in"_s},
            {u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s},
            {u"Nocturnia"_s, u"Settings"_s, u"Startup"_s, u"False"_s}};
        QVERIFY(!saveSettings(store, entries, dialogs, nullptr, QStringLiteral("saved!")));
        QCOMPARE(store.written, (QStringList{u"Folder"_s, u"Tidelink"_s, u"Startup"_s}));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].icon, RecordingDialogs::Message::Icon::Warning);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Nocturnia"));
        // Two of the three did reach the file: the message says so.
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("Some of your settings could not be saved.\n\nSaved: Folder, "
                                "Startup\n\nNot saved:\nTidelink: No space left on device"));
    }

    void saveOfWhichNothingReachedTheFile() {
        FailingKeyStore store(QStringLiteral("Tidelink"));
        RecordingDialogs dialogs;
        QVERIFY(!saveSettings(store, {{u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s}},
                              dialogs, nullptr, QStringLiteral("saved!")));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("Your settings could not be saved.\n\nTidelink: No space left on "
                                "device"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
