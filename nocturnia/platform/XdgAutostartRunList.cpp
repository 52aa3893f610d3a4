#include "platform/XdgAutostartRunList.h"

#include "conventions/BackslashEscapes.h"
#include "platform/RegularFileRead.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <optional>

namespace {

const QString kGroup = QStringLiteral("[Desktop Entry]");

// One argument in double quotes, with the characters that stay special inside them escaped.
QString quotedArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
        if (c == u'%') // a field code otherwise
            quoted += u'%';
    }
    return quoted + u'"';
}

// The file's own escapes of a string value. "\s" is read as a space too, but a space is
// written as it is.
constexpr conv::BackslashEscape kValueEscapes[] = {
    {u'\\', u'\\'}, {u'\n', u'n'}, {u'\t', u't'}, {u'\r', u'r'}};

QString escapedValue(const QString& value) {
    return conv::escaped(value, kValueEscapes);
}

QString unescapedValue(const QString& value) {
    QString plain;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            plain += c;
            continue;
        }
        // Any other letter stands for itself.
        const QChar next = value.at(++i);
        plain +=
            next == u's' ? QChar(u' ') : conv::escapedCharacter(next, kValueEscapes).value_or(next);
    }
    return plain;
}

// The value of `key` in the main group, or nothing.
std::optional<QString> value(const QString& text, const QString& key) {
    bool inGroup = false;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == kGroup;
            continue;
        }
        if (!inGroup || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && line.left(equals).trimmed() == key)
            return unescapedValue(line.mid(equals + 1).trimmed());
    }
    return std::nullopt;
}

} // namespace

XdgAutostartRunList::XdgAutostartRunList(QString folder)
    : m_folder(std::move(folder)) {}

QString XdgAutostartRunList::entryFile(const QString& name) const {
    return m_folder + u'/' + name + QStringLiteral(".desktop");
}

QString XdgAutostartRunList::entry(const QString& name) const {
    constexpr qint64 kMaximumEntrySize = 64 * 1024;
    const RegularFileRead file = readRegularFile(entryFile(name), kMaximumEntrySize);
    if (file.outcome != RegularFileRead::Outcome::Read)
        return {};
    const QString text = QString::fromUtf8(file.bytes);
    if (value(text, QStringLiteral("Hidden")).value_or(QString()) == QLatin1String("true"))
        return {};
    return value(text, QStringLiteral("Exec")).value_or(QString()).trimmed();
}

bool XdgAutostartRunList::setEntry(const QString& name, const QString& program,
                                   const QString& arguments) {
    if (!QDir().mkpath(m_folder))
        return false;
    const QString text = kGroup + QStringLiteral("\nType=Application\nName=") + escapedValue(name) +
                         QStringLiteral("\nIcon=") + escapedValue(name) +
                         QStringLiteral("\nExec=") + escapedValue(command(program, arguments)) +
                         QStringLiteral("\nTerminal=false\n");
    // Whole or not at all: a session starting while it is written sees the old entry.
    QSaveFile file(entryFile(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

bool XdgAutostartRunList::removeEntry(const QString& name) {
    QFile file(entryFile(name));
    return !file.exists() || file.remove();
}

QString XdgAutostartRunList::command(const QString& program, const QString& arguments) {
    // The one space after the program is kept even without arguments, as the entry was
    // always written.
    QString text = quotedArgument(program) + u' ';
    if (!arguments.isEmpty())
        text += quotedArgument(arguments);
    return text;
}

QStringList XdgAutostartRunList::commandArguments(const QString& command) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (int i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (quoted) {
            if (c == u'\\' && i + 1 < command.size()) {
                current += command.at(++i);
            } else if (c == u'"') {
                quoted = false;
            } else if (c == u'%' && i + 1 < command.size() && command.at(i + 1) == u'%') {
                current += c;
                ++i;
            } else {
                current += c;
            }
        } else if (c == u' ') {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == u'"') {
            quoted = true;
            inArgument = true;
        } else if (c == u'%' && i + 1 < command.size() && command.at(i + 1) == u'%') {
            current += c;
            inArgument = true;
            ++i;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted)
        return {};
    if (inArgument)
        arguments << current;
    return arguments;
}
