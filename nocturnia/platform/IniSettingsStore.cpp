#include "platform/IniSettingsStore.h"

#include "conventions/BackslashEscapes.h"
#include "platform/RegularFileRead.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSettings, "nocturnia.settings")

namespace {

const QByteArray kNameSpecials = QByteArrayLiteral("/[]=;#\\");

QString encodeName(const QString& name) {
    // Spaces stay readable; everything outside ASCII letters, digits and "-._~ " is encoded.
    return QString::fromLatin1(
        QUrl::toPercentEncoding(name, QByteArrayLiteral(" "), kNameSpecials));
}

QString decodeName(const QString& encoded) {
    return QUrl::fromPercentEncoding(encoded.trimmed().toUtf8());
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The escapes of a value: a backslash and the line breaks anywhere, the blanks only at either
// end, where the reader trims what stands around "=".
constexpr conv::BackslashEscape kInnerEscapes[] = {{u'\\', u'\\'}, {u'\n', u'n'}, {u'\r', u'r'}};
constexpr conv::BackslashEscape kBlankEscapes[] = {{u' ', u's'}, {u'\t', u't'}};

QString escapeValue(const QString& value) {
    qsizetype first = 0;
    while (first < value.size() && isBlank(value.at(first)))
        ++first;
    qsizetype last = value.size();
    while (last > first && isBlank(value.at(last - 1)))
        --last;
    return conv::escaped(value.left(first), kBlankEscapes) +
           conv::escaped(value.mid(first, last - first), kInnerEscapes) +
           conv::escaped(value.mid(last), kBlankEscapes);
}

// A backslash before anything but \, n, r, s, t is the user's own text ("my\ folder").
QString unescapeValue(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar letter = text.at(i + 1);
        std::optional<QChar> meaning = conv::escapedCharacter(letter, kInnerEscapes);
        if (!meaning)
            meaning = conv::escapedCharacter(letter, kBlankEscapes);
        if (!meaning) {
            out += c;
            continue;
        }
        out += *meaning;
        ++i;
    }
    return out;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes everything or says why not, in the system's words.
bool writeAll(int fd, const QByteArray& bytes, QString* reason) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *reason = systemReason(n < 0 ? errno : ENOSPC);
            return false;
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        *reason = systemReason(errno);
        return false;
    }
    return true;
}

} // namespace

bool IniSettingsStore::Stamp::operator==(const Stamp& other) const {
    return exists == other.exists && size == other.size && modifiedNs == other.modifiedNs &&
           inode == other.inode && device == other.device;
}

IniSettingsStore::IniSettingsStore(QString filePath)
    : m_filePath(std::move(filePath)) {}

QString IniSettingsStore::read(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) const {
    for (const Section& s : load().document) {
        if (!sameName(s.application, application) || !sameName(s.name, section))
            continue;
        for (const auto& [name, value] : s.entries) {
            if (sameName(name, key))
                return value;
        }
    }
    return defaultValue;
}

SettingsStore::WriteResult IniSettingsStore::write(const QString& application,
                                                   const QString& section, const QString& key,
                                                   const QString& value) {
    const Loaded& loaded = load();
    if (loaded.state == LoadState::Unreadable)
        return {false, loaded.error};
    Document document = loaded.document;
    if (loaded.state == LoadState::Damaged) {
        QString error;
        const QString aside = keepAside(&error);
        if (aside.isEmpty())
            return {false, error};
        qCWarning(lcSettings).noquote() << "the damaged settings file is kept as" << aside
                                        << "; the entries that could be read are carried over";
    }

    Section* target = nullptr;
    for (Section& s : document) {
        if (sameName(s.application, application) && sameName(s.name, section)) {
            target = &s;
            break;
        }
    }
    if (!target) {
        document.append(Section{application, section, {}});
        target = &document.last();
    }
    bool replaced = false;
    for (auto& entry : target->entries) {
        if (sameName(entry.first, key)) {
            entry.second = value;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        target->entries.append({key, value});

    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        return {false, QStringLiteral("The folder %1 could not be created.")
                           .arg(QDir::toNativeSeparators(info.absolutePath()))};
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    // Written through the descriptor: Qt's buffered writes lose the system's reason.
    QString reason;
    if (!writeAll(file.handle(), serialise(document).toUtf8(), &reason)) {
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    m_loaded = Loaded{LoadState::Loaded, std::move(document), {}};
    m_loadedStamp = stamp();
    return {};
}

IniSettingsStore::Stamp IniSettingsStore::stamp() const {
    struct stat status {};
    if (::stat(QFile::encodeName(m_filePath).constData(), &status) != 0)
        return {};
    return {true, qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
            quint64(status.st_ino), quint64(status.st_dev)};
}

const IniSettingsStore::Loaded& IniSettingsStore::load() const {
    // Read once, and again only after someone else changed the file.
    const Stamp now = stamp();
    if (!m_loaded || !(now == m_loadedStamp)) {
        m_loaded = loadFromDisk();
        m_loadedStamp = now;
    }
    return *m_loaded;
}

IniSettingsStore::Loaded IniSettingsStore::loadFromDisk() const {
    Loaded loaded;
    const QString shown = QDir::toNativeSeparators(m_filePath);
    const RegularFileRead file = readRegularFile(m_filePath, kMaximumFileSize);
    switch (file.outcome) {
    case RegularFileRead::Outcome::Missing:
        return loaded;
    case RegularFileRead::Outcome::NotRegular:
        loaded.state = LoadState::Unreadable;
        loaded.error = QStringLiteral("The settings file %1 is not a regular file.").arg(shown);
        break;
    case RegularFileRead::Outcome::TooLarge:
        loaded.state = LoadState::Damaged;
        loaded.error = QStringLiteral("The settings file %1 is larger than 1 MiB.").arg(shown);
        break;
    case RegularFileRead::Outcome::Failed:
        loaded.state = LoadState::Unreadable;
        loaded.error = QStringLiteral("The settings file %1 cannot be read: %2")
                           .arg(shown, systemReason(file.error));
        break;
    case RegularFileRead::Outcome::Read: {
        bool damaged = false;
        loaded.document = parse(file.bytes, shown, &damaged);
        loaded.state = damaged ? LoadState::Damaged : LoadState::Loaded;
        return loaded;
    }
    }
    qCWarning(lcSettings).noquote() << loaded.error;
    return loaded;
}

IniSettingsStore::Document IniSettingsStore::parse(const QByteArray& bytes, const QString& fileName,
                                                   bool* damaged) {
    Document document;
    bool inSection = false;
    const auto skip = [&](int number, const char* why) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("%1 line %2 skipped:").arg(fileName).arg(number) << why;
        *damaged = true;
    };
    const QList<QByteArray> lines = bytes.split('\n');
    for (int index = 0; index < lines.size(); ++index) {
        const int number = index + 1;
        QByteArray raw = lines.at(index);
        if (index == 0 && raw.startsWith("\xEF\xBB\xBF"))
            raw.remove(0, 3);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = QString(decoder(raw)).trimmed();
        if (decoder.hasError()) {
            skip(number, "not UTF-8 text");
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const auto slash = line.indexOf(QLatin1Char('/'));
            inSection = line.endsWith(QLatin1Char(']')) && slash > 0;
            if (!inSection) {
                skip(number, "a header without [application/section]");
                continue;
            }
            document.append(Section{decodeName(line.mid(1, slash - 1)),
                                    decodeName(line.mid(slash + 1, line.size() - slash - 2)),
                                    {}});
            continue;
        }
        const auto equals = line.indexOf(QLatin1Char('='));
        const QString key = equals > 0 ? decodeName(line.left(equals)) : QString();
        if (key.isEmpty()) {
            skip(number, "no name=value");
            continue;
        }
        if (!inSection) {
            skip(number, "an entry outside a section");
            continue;
        }
        document.last().entries.append({key, unescapeValue(line.mid(equals + 1).trimmed())});
    }
    return document;
}

QString IniSettingsStore::serialise(const Document& document) {
    QString text;
    for (const Section& section : document) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + encodeName(section.application) + QLatin1Char('/') +
                encodeName(section.name) + QStringLiteral("]\n");
        for (const auto& [key, value] : section.entries)
            text += encodeName(key) + QLatin1Char('=') + escapeValue(value) + QLatin1Char('\n');
    }
    return text;
}

QString IniSettingsStore::keepAside(QString* error) const {
    // A second link to the damaged file keeps it whole when the new one replaces it; a name
    // already taken by an earlier copy is never reused.
    const QString base = m_filePath + QStringLiteral(".corrupt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QByteArray from = QFile::encodeName(m_filePath);
    for (int attempt = 1; attempt < 1000; ++attempt) {
        QString aside = attempt == 1 ? base : base + QLatin1Char('-') + QString::number(attempt);
        if (::link(from.constData(), QFile::encodeName(aside).constData()) == 0)
            return aside;
        if (errno == EEXIST)
            continue;
        // A file system without hard links: a copy, which never overwrites either.
        if (QFile::exists(aside))
            continue;
        if (QFile::copy(m_filePath, aside))
            return aside;
        break;
    }
    *error = QStringLiteral("The damaged settings file %1 could not be kept aside.")
                 .arg(QDir::toNativeSeparators(m_filePath));
    return {};
}
