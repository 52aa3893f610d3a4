#include "PropertyBag.h"

#include "BackslashEscapes.h"
#include "NumericText.h"

#include <QStringList>
#include <cmath>
#include <limits>

namespace conv {

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// Booleans count as the platform's numbers: True is -1, False 0.
std::optional<double> asNumber(const PropertyValue& value) {
    return std::visit(Overloaded{
                          [](bool v) -> std::optional<double> { return v ? -1 : 0; },
                          [](qint16 v) -> std::optional<double> { return v; },
                          [](qint32 v) -> std::optional<double> { return v; },
                          [](float v) -> std::optional<double> { return v; },
                          [](double v) -> std::optional<double> { return v; },
                          [](const auto&) -> std::optional<double> { return std::nullopt; },
                      },
                      value);
}

template <class Int> std::optional<Int> asInteger(const PropertyValue& value) {
    const auto number = asNumber(value);
    if (!number || std::isnan(*number))
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// The characters a quoted string writes behind a backslash, and the letters it writes them as.
constexpr BackslashEscape kEscapes[] = {
    {u'"', u'"'}, {u'\\', u'\\'}, {u'\n', u'n'}, {u'\r', u'r'}, {u'\t', u't'}};

QString quoted(const QString& text) {
    return QStringLiteral("\"") + escaped(text, kEscapes) + QLatin1Char('"');
}

// Reads a quoted string starting at text[pos]; pos ends after the closing quote.
std::optional<QString> unquote(const QString& text, int& pos) {
    if (pos >= text.size() || text.at(pos) != QLatin1Char('"'))
        return std::nullopt;
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++pos >= text.size())
            return std::nullopt;
        const auto character = escapedCharacter(text.at(pos), kEscapes);
        if (!character)
            return std::nullopt;
        out += *character;
    }
    return std::nullopt;
}

QString typeName(const PropertyValue& value) {
    static const char* const names[] = {"Boolean", "Integer", "Long",   "Single",
                                        "Double",  "String",  "Colour", "Font"};
    return QLatin1String(names[value.index()]);
}

QString literal(const PropertyValue& value) {
    return std::visit(
        Overloaded{
            [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); },
            [](qint16 v) { return QString::number(v); },
            [](qint32 v) { return QString::number(v); },
            [](float v) { return QString::number(double(v), 'g', 9); },
            [](double v) { return QString::number(v, 'g', 17); },
            [](const QString& v) { return quoted(v); },
            [](ColourValue v) {
                return QStringLiteral("&H%1&").arg(v.ref, 8, 16, QLatin1Char('0')).toUpper();
            },
            [](const FontValue& v) {
                QStringList style;
                if (v.bold)
                    style << QStringLiteral("Bold");
                if (v.italic)
                    style << QStringLiteral("Italic");
                if (v.underline)
                    style << QStringLiteral("Underline");
                if (v.strikeout)
                    style << QStringLiteral("Strikeout");
                if (style.isEmpty())
                    style << QStringLiteral("Regular");
                return quoted(v.family) + QStringLiteral(", ") +
                       QString::number(v.pointSize, 'g', 15) + QStringLiteral(", ") +
                       style.join(QLatin1Char(' '));
            },
        },
        value);
}

std::optional<PropertyValue> parseLiteral(const QString& type, const QString& text) {
    bool ok = false;
    if (type == QLatin1String("Boolean")) {
        if (text == QLatin1String("True"))
            return PropertyValue(true);
        if (text == QLatin1String("False"))
            return PropertyValue(false);
        return std::nullopt;
    }
    if (type == QLatin1String("Integer")) {
        const short v = text.toShort(&ok);
        return ok ? std::optional<PropertyValue>(qint16(v)) : std::nullopt;
    }
    if (type == QLatin1String("Long")) {
        const int v = text.toInt(&ok);
        return ok ? std::optional<PropertyValue>(qint32(v)) : std::nullopt;
    }
    if (type == QLatin1String("Single")) {
        const float v = text.toFloat(&ok);
        return ok ? std::optional<PropertyValue>(v) : std::nullopt;
    }
    if (type == QLatin1String("Double")) {
        const double v = text.toDouble(&ok);
        return ok ? std::optional<PropertyValue>(v) : std::nullopt;
    }
    if (type == QLatin1String("String")) {
        int pos = 0;
        const auto v = unquote(text, pos);
        return v && pos == text.size() ? std::optional<PropertyValue>(*v) : std::nullopt;
    }
    if (type == QLatin1String("Colour")) {
        if (!text.startsWith(QLatin1String("&H")) || !text.endsWith(QLatin1Char('&')) ||
            text.size() < 4)
            return std::nullopt;
        const uint v = text.mid(2, text.size() - 3).toUInt(&ok, 16);
        return ok ? std::optional<PropertyValue>(ColourValue{v}) : std::nullopt;
    }
    if (type == QLatin1String("Font")) {
        int pos = 0;
        const auto family = unquote(text, pos);
        if (!family)
            return std::nullopt;
        const QStringList rest = text.mid(pos).split(QLatin1Char(','));
        if (rest.size() != 3 || !rest[0].trimmed().isEmpty())
            return std::nullopt;
        FontValue font;
        font.family = *family;
        font.pointSize = rest[1].trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
        for (const QString& word : rest[2].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (word == QLatin1String("Bold"))
                font.bold = true;
            else if (word == QLatin1String("Italic"))
                font.italic = true;
            else if (word == QLatin1String("Underline"))
                font.underline = true;
            else if (word == QLatin1String("Strikeout"))
                font.strikeout = true;
            else if (word != QLatin1String("Regular"))
                return std::nullopt;
        }
        return PropertyValue(font);
    }
    return std::nullopt;
}

} // namespace

QFont FontValue::toFont() const {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    return font;
}

FontValue FontValue::fromFont(const QFont& font) {
    return FontValue{font.family(), font.pointSizeF(), font.bold(),
                     font.italic(), font.underline(),  font.strikeOut()};
}

bool operator==(const FontValue& a, const FontValue& b) {
    return a.family.compare(b.family, Qt::CaseInsensitive) == 0 && a.pointSize == b.pointSize &&
           a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.strikeout == b.strikeout;
}

bool sameValue(const PropertyValue& a, const PropertyValue& b) {
    const auto x = asNumber(a);
    const auto y = asNumber(b);
    if (x && y)
        return *x == *y;
    return a == b;
}

void PropertyBag::write(const QString& key, const PropertyValue& value,
                        const PropertyValue& defaultValue) {
    if (!sameValue(value, defaultValue))
        write(key, value);
}

void PropertyBag::write(const QString& key, const PropertyValue& value) {
    for (Entry& entry : m_entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    m_entries.append(Entry{key, value});
}

bool PropertyBag::contains(const QString& key) const {
    return value(key).has_value();
}

std::optional<PropertyValue> PropertyBag::value(const QString& key) const {
    for (const Entry& entry : m_entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

bool PropertyBag::readBool(const QString& key, bool defaultValue) const {
    const auto stored = value(key);
    if (!stored)
        return defaultValue;
    if (const bool* b = std::get_if<bool>(&*stored))
        return *b;
    const auto number = asNumber(*stored);
    return number ? *number != 0 : defaultValue;
}

qint16 PropertyBag::readInt16(const QString& key, qint16 defaultValue) const {
    const auto stored = value(key);
    return stored ? asInteger<qint16>(*stored).value_or(defaultValue) : defaultValue;
}

qint32 PropertyBag::readInt32(const QString& key, qint32 defaultValue) const {
    const auto stored = value(key);
    return stored ? asInteger<qint32>(*stored).value_or(defaultValue) : defaultValue;
}

double PropertyBag::readDouble(const QString& key, double defaultValue) const {
    const auto stored = value(key);
    return stored ? asNumber(*stored).value_or(defaultValue) : defaultValue;
}

QString PropertyBag::readString(const QString& key, const QString& defaultValue) const {
    const auto stored = value(key);
    if (!stored)
        return defaultValue;
    if (const QString* s = std::get_if<QString>(&*stored))
        return *s;
    if (const auto number = asNumber(*stored))
        return shortestDecimal(*number);
    return defaultValue;
}

quint32 PropertyBag::readColour(const QString& key, quint32 defaultValue) const {
    const auto stored = value(key);
    if (!stored)
        return defaultValue;
    if (const ColourValue* c = std::get_if<ColourValue>(&*stored))
        return c->ref;
    if (const qint32* v = std::get_if<qint32>(&*stored))
        return quint32(*v);
    return defaultValue;
}

FontValue PropertyBag::readFont(const QString& key, const FontValue& defaultValue) const {
    const auto stored = value(key);
    if (const FontValue* font = stored ? std::get_if<FontValue>(&*stored) : nullptr)
        return *font;
    return defaultValue;
}

QString PropertyBag::toText() const {
    QString text;
    for (const Entry& entry : m_entries)
        text += entry.key + QStringLiteral(" As ") + typeName(entry.value) + QStringLiteral(" = ") +
                literal(entry.value) + QLatin1Char('\n');
    return text;
}

std::optional<PropertyBag> PropertyBag::fromText(const QString& text, QString* error) {
    PropertyBag bag;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int number = 0; number < lines.size(); ++number) {
        const QString line = lines.at(number).trimmed();
        if (line.isEmpty())
            continue;
        const auto as = line.indexOf(QLatin1String(" As "));
        const auto equals = line.indexOf(QLatin1String(" = "));
        std::optional<PropertyValue> value;
        if (as > 0 && equals > as)
            value = parseLiteral(line.mid(as + 4, equals - as - 4), line.mid(equals + 3));
        if (!value) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(number + 1).arg(line);
            return std::nullopt;
        }
        bag.write(line.left(as), *value);
    }
    return bag;
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
    if (a.m_entries.size() != b.m_entries.size())
        return false;
    for (qsizetype i = 0; i < a.m_entries.size(); ++i) {
        if (a.m_entries[i].key != b.m_entries[i].key ||
            !(a.m_entries[i].value == b.m_entries[i].value))
            return false;
    }
    return true;
}

} // namespace conv
