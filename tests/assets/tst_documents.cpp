// The two documents built beside the executable: the help file is a CHM that the archive
// tool reads back page by page, the campaign document a PDF that poppler reads, and both name
// every command the program offers.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString& tool, const QStringList& arguments) {
    Run result;
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        result.output = tool + u" is not installed (tools/install-deps.sh installs it)"_s;
        return result;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

// Words joined by single spaces, so that a name broken over two lines is still found.
QString flat(QString text) {
    text.replace(QRegularExpression(u"<[^>]*>"_s), u" "_s);
    text.replace(u"&amp;"_s, u"&"_s);
    return text.simplified();
}

QString beside(const QString& name) {
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

const QStringList& commands() {
    static const QStringList names{u"Shutdown Computer"_s,   u"Restart Computer"_s,
                                   u"Log Off Windows"_s,     u"Go Into Standby"_s,
                                   u"Go Into Hibernation"_s, u"Run A Specified File"_s,
                                   u"Sound Wake-up Alarm"_s, u"Display A Notification"_s};
    return names;
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

    QString m_help;     // the text of every page of the help file
    QString m_campaign; // the text of the campaign document

private Q_SLOTS:
    void initTestCase() {
        QTemporaryDir out;
        const Run extract = run(u"chmls"_s, {u"extractall"_s, beside(u"Help.chm"_s), out.path()});
        QVERIFY2(extract.exitCode == 0, qPrintable(extract.output));
        const QDir pages(out.path());
        for (const QString& page : pages.entryList({u"*.html"_s}, QDir::Files, QDir::Name)) {
            QFile file(pages.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            m_help += flat(QString::fromUtf8(file.readAll())) + u' ';
        }
        const Run text = run(u"pdftotext"_s, {beside(u"Leafwise Campaign.pdf"_s), u"-"_s});
        QVERIFY2(text.exitCode == 0, qPrintable(text.output));
        m_campaign = flat(text.output);
    }

    void helpHasEveryPage() {
        const Run list = run(u"chmls"_s, {u"-n"_s, u"list"_s, beside(u"Help.chm"_s)});
        QCOMPARE(list.exitCode, 0);
        for (const char* page :
             {"index", "commands", "schedule", "alarm", "wireless", "sound", "window"})
            QVERIFY2(list.output.contains(u'/' + QString::fromLatin1(page) + u".html"_s), page);
        QVERIFY(list.output.contains(u"/Help.hhc"_s)); // the table of contents
    }

    void bothDocumentsNameEveryCommand_data() {
        QTest::addColumn<QString>("command");
        for (const QString& command : commands())
            QTest::newRow(qPrintable(command)) << command;
    }
    void bothDocumentsNameEveryCommand() {
        QFETCH(QString, command);
        QVERIFY(m_help.contains(command));
        QVERIFY(m_campaign.contains(command));
    }

    void helpExplainsEveryFeature_data() {
        QTest::addColumn<QString>("text");
        // The folder trigger's 28 names.
        for (const char* name :
             {"Alarm", "Shutdown", "Run", "Restart", "Logoff", "Standby", "Hibernate"})
            for (const char* extension : {".txt", ".jpg", ".gif", ".bmp"}) {
                const QString file = QString::fromLatin1(name) + QString::fromLatin1(extension);
                QTest::newRow(qPrintable(file)) << file;
            }
        const char* texts[] = {"Schedule Command",
                               "Disable Schedule",
                               "Time & Date",
                               "Download & Upload Speed",
                               "five unbroken minutes",
                               "Snooze",
                               "Dismiss Alarm",
                               "Custom File",
                               "No Notification To Display",
                               "Enable Tidelink Technology",
                               "Enable Farcall Mobile Technology",
                               "port 80",
                               "Only accept connections from the local network",
                               "status line",
                               "Start Normalization Process",
                               "Veloxa Audio Sensitive Activation",
                               "Load Nocturnia automatically when Windows starts",
                               "notification area",
                               "Show Main Window",
                               "Exit Application",
                               "F1"};
        for (const char* text : texts)
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void helpExplainsEveryFeature() {
        QFETCH(QString, text);
        QVERIFY(m_help.contains(text));
    }

    void campaignIsAValidPdfWithItsSources() {
        const Run info = run(u"pdfinfo"_s, {beside(u"Leafwise Campaign.pdf"_s)});
        QVERIFY2(info.exitCode == 0, qPrintable(info.output));
        const QRegularExpressionMatch pages =
            QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info.output);
        QVERIFY(pages.hasMatch());
        QVERIFY(pages.captured(1).toInt() >= 1);
        // The date is the fixed one, so that every build makes the same file.
        QVERIFY2(info.output.contains(u"Jan  1 00:00:00 2026"_s), qPrintable(info.output));
        QVERIFY(m_campaign.contains(u"The Leafwise Campaign"_s));
        for (const char* source : {"ENERGY STAR", "Eurostat", "Energy Information Administration",
                                   "European Environment Agency"})
            QVERIFY2(m_campaign.contains(QString::fromLatin1(source)), source);
        QVERIFY(m_campaign.contains(u"270 kilowatt-hours"_s));
    }
};

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
