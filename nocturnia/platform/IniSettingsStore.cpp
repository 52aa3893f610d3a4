#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>
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
    return QUrl::fromPercentEncoding(encoded.toUtf8());
}

QString escapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescapeValue(const QString& text) {
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        const QChar escaped = text.at(i);
        if (escaped == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else if (escaped == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (escaped == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else
            return std::nullopt;
    }
    return out;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniSettingsStore::IniSettingsStore(QString filePath)
    : m_filePath(std::move(filePath)) {}

QString IniSettingsStore::read(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) const {
    Document document;
    if (load(document, nullptr) != LoadState::Loaded)
        return defaultValue;
    for (const Section& s : document) {
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
    Document document;
    QString error;
    switch (load(document, &error)) {
    case LoadState::Loaded:
    case LoadState::Missing:
        break;
    case LoadState::Unreadable:
        return {false, error};
    case LoadState::Corrupt: {
        // Keep what cannot be read for the user to look at instead of overwriting it.
        const QString aside = m_filePath + QStringLiteral(".corrupt");
        QFile::remove(aside);
        if (!QFile::rename(m_filePath, aside))
            return {false, QStringLiteral("The damaged settings file %1 could not be moved aside.")
                               .arg(QDir::toNativeSeparators(m_filePath))};
        qCWarning(lcSettings) << "unreadable settings file kept as" << aside;
        document.clear();
        break;
    }
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
    const QByteArray bytes = serialise(document).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

IniSettingsStore::LoadState IniSettingsStore::load(Document& document, QString* error) const {
    QFile file(m_filePath);
    if (!file.exists())
        return LoadState::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings) << "cannot read" << m_filePath << file.errorString();
        if (error)
            *error = file.errorString();
        return LoadState::Unreadable;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    std::optional<Document> parsed;
    if (!decoder.hasError())
        parsed = parse(text);
    if (!parsed) {
        qCWarning(lcSettings) << "ignoring damaged settings file" << m_filePath;
        return LoadState::Corrupt;
    }
    document = std::move(*parsed);
    return LoadState::Loaded;
}

std::optional<IniSettingsStore::Document> IniSettingsStore::parse(const QString& text) {
    Document document;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const auto slash = line.indexOf(QLatin1Char('/'));
            if (!line.endsWith(QLatin1Char(']')) || slash < 0)
                return std::nullopt;
            document.append(Section{decodeName(line.mid(1, slash - 1)),
                                    decodeName(line.mid(slash + 1, line.size() - slash - 2)),
                                    {}});
            continue;
        }
        const auto equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || document.isEmpty())
            return std::nullopt;
        const auto value = unescapeValue(line.mid(equals + 1));
        if (!value)
            return std::nullopt;
        document.last().entries.append({decodeName(line.left(equals)), *value});
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
