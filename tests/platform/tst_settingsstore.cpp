#include "base/SettingsSave.h"
#include "platform/IniSettingsStore.h"
#include "support/RecordingDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
        QCOMPARE(contents(path()).count("riggers"), 1);
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

    void damagedFileReadsAsDefaultsAndIsKeptAside_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff\xfe", 12);
        QTest::newRow("entry outside a section") << QByteArray("Folder=/x\n");
        QTest::newRow("line without equals") << QByteArray("[Nocturnia/Settings]\nFolder\n");
        QTest::newRow("bad escape") << QByteArray("[Nocturnia/Settings]\nFolder=\\q\n");
    }
    void damagedFileReadsAsDefaultsAndIsKeptAside() {
        QFETCH(QByteArray, bytes);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        put(path(), bytes);
        IniSettingsStore store(path());
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"design"_s),
                 QStringLiteral("design"));
        QCOMPARE(contents(path()), bytes); // reading changes nothing

        QVERIFY(store.write(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"1"_s).ok);
        QCOMPARE(store.read(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, u"0"_s),
                 QStringLiteral("1"));
        QCOMPARE(contents(path() + QStringLiteral(".corrupt")), bytes);
    }

    void writeThatCannotBeMadeReportsWhy() {
        // The store's folder is a file: nothing can be created there (also not for root).
        QDir().mkpath(m_dir.filePath(QStringLiteral("config")));
        put(m_dir.filePath(QStringLiteral("config/nocturnia")), "not a folder");
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
        QVERIFY(dialogs.messages[0].text.startsWith(
            QStringLiteral("Your settings could not be saved.")));
        QVERIFY(
            dialogs.messages[0].text.contains(QStringLiteral("Tidelink: No space left on device")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
