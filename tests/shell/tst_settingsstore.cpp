#include "IniSettingsStore.h"
#include "RecordingDialogs.h"
#include "SettingsSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
        QCOMPARE(store.read("Nocturnia", "Settings", "Folder", "/design"),
                 QStringLiteral("/design"));
        QVERIFY(!QFile::exists(path()));
        QVERIFY(!QDir(m_dir.filePath(QStringLiteral("config"))).exists());
    }

    void namesCompareWithoutLetterCase() {
        IniSettingsStore store(path());
        QVERIFY(store.write("Nocturnia", "Audio", "Triggers", "80").ok);
        QCOMPARE(store.read("NOCTURNIA", "audio", "triggers", "0"), QStringLiteral("80"));
        // A write in another spelling replaces the entry instead of adding a second one.
        QVERIFY(store.write("nocturnia", "AUDIO", "TRIGGERS", "75").ok);
        QCOMPARE(store.read("Nocturnia", "Audio", "Triggers", "0"), QStringLiteral("75"));
        QCOMPARE(contents(path()).count("riggers"), 1);
        // "Setting" and "Settings" are different sections.
        QVERIFY(store.write("Nocturnia", "Setting", "Connection", "2").ok);
        QCOMPARE(store.read("Nocturnia", "Settings", "Connection", "0"), QStringLiteral("0"));
    }

    void missingPartsGiveTheDefault() {
        IniSettingsStore store(path());
        QVERIFY(store.write("Nocturnia", "Settings", "Tidelink", "1").ok);
        QCOMPARE(store.read("Nocturnia", "Settings", "Missing", "d"), QStringLiteral("d"));
        QCOMPARE(store.read("Nocturnia", "Missing", "Tidelink", "d"), QStringLiteral("d"));
        QCOMPARE(store.read("Other", "Settings", "Tidelink", "d"), QStringLiteral("d"));
    }

    void valuesAndNamesRoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("path with spaces") << "Folder"
                                          << "/home/ann/My Incoming";
        QTest::newRow("empty") << "Folder"
                               << "";
        QTest::newRow("leading and trailing blanks") << "Background Noise"
                                                     << "  12.5 ";
        QTest::newRow("line breaks and backslashes") << "Text"
                                                     << "a\\nb\nc\r\nd\\";
        QTest::newRow("equals and brackets") << "k=[x]/y;#"
                                             << "v=[1]";
        QTest::newRow("non-ASCII")
            << QString::fromUtf8("Ordner ä") << QString::fromUtf8("/home/zoë/Übertragungen");
    }
    void valuesAndNamesRoundTrip() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        IniSettingsStore store(path());
        QVERIFY(store.write("Nocturnia", "Settings", key, value).ok);
        QVERIFY(store.write("Nocturnia", "Settings", "After", "still here").ok);
        IniSettingsStore reopened(path());
        QCOMPARE(reopened.read("Nocturnia", "Settings", key, "default"), value);
        QCOMPARE(reopened.read("Nocturnia", "Settings", "After", "default"),
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
        QCOMPARE(store.read("Nocturnia", "Settings", "Folder", "design"), QStringLiteral("design"));
        QCOMPARE(contents(path()), bytes); // reading changes nothing

        QVERIFY(store.write("Nocturnia", "Settings", "Tidelink", "1").ok);
        QCOMPARE(store.read("Nocturnia", "Settings", "Tidelink", "0"), QStringLiteral("1"));
        QCOMPARE(contents(path() + QStringLiteral(".corrupt")), bytes);
    }

    void writeThatCannotBeMadeReportsWhy() {
        // The store's folder is a file: nothing can be created there (also not for root).
        QDir().mkpath(m_dir.filePath(QStringLiteral("config")));
        put(m_dir.filePath(QStringLiteral("config/nocturnia")), "not a folder");
        IniSettingsStore store(path());
        const auto result = store.write("Nocturnia", "Settings", "Folder", "/x");
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(store.read("Nocturnia", "Settings", "Folder", "d"), QStringLiteral("d"));
    }

    void unreadableFileIsNeitherReadNorReplaced() {
        QDir().mkpath(path()); // a folder where the file should be
        IniSettingsStore store(path());
        QCOMPARE(store.read("Nocturnia", "Settings", "Folder", "d"), QStringLiteral("d"));
        QVERIFY(!store.write("Nocturnia", "Settings", "Folder", "/x").ok);
        QVERIFY(QFileInfo(path()).isDir());
    }

    void saveConfirmsOnlyWhenEveryWriteSucceeded() {
        IniSettingsStore store(path());
        RecordingDialogs dialogs;
        const QList<SettingsEntry> entries{{"Nocturnia", "Settings", "Folder", "/in"},
                                           {"Nocturnia", "Settings", "Tidelink", "1"},
                                           {"Nocturnia", "Settings", "Startup", "False"}};
        QVERIFY(saveSettings(store, entries, dialogs, nullptr,
                             QStringLiteral("Your settings have been successfully saved!")));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].icon, RecordingDialogs::Message::Icon::Information);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Nocturnia"));
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("Your settings have been successfully saved!"));
        QCOMPARE(store.read("Nocturnia", "Settings", "Startup", ""), QStringLiteral("False"));
    }

    void failedWriteIsReportedAndTheOthersStillRun() {
        FailingKeyStore store(QStringLiteral("Tidelink"));
        RecordingDialogs dialogs;
        const QList<SettingsEntry> entries{{"Nocturnia", "Settings", "Folder", "/in"},
                                           {"Nocturnia", "Settings", "Tidelink", "1"},
                                           {"Nocturnia", "Settings", "Startup", "False"}};
        QVERIFY(!saveSettings(store, entries, dialogs, nullptr, QStringLiteral("saved!")));
        QCOMPARE(store.written, (QStringList{"Folder", "Tidelink", "Startup"}));
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
