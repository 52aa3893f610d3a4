#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <variant>

namespace conv {

// A colour reference (see ColourRef.h) as a stored property, kept apart from plain numbers.
struct ColourValue {
    quint32 ref = 0;
    friend bool operator==(ColourValue a, ColourValue b) { return a.ref == b.ref; }
};

// A stored font: what a design keeps of a font object.
struct FontValue {
    QString family;
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    QFont toFont() const;
    static FontValue fromFont(const QFont& font);
    friend bool operator==(const FontValue& a, const FontValue& b);
};

// The types of the design properties: Boolean, 16-bit Integer, 32-bit Long, Single, Double,
// String, colour and font.
using PropertyValue =
    std::variant<bool, qint16, qint32, float, double, QString, ColourValue, FontValue>;

// Equal as the design store compares them: numbers by value whatever their width, Booleans
// among them as -1 and 0 (a Long 0 and a False each equal an Integer 0), everything else by
// type and value.
bool sameValue(const PropertyValue& a, const PropertyValue& b);

// The persisted design properties of one control, in the order they were written. A write
// equal to its default stores nothing; a read of a missing key gives the reader's default.
// The text form, one "Key As Type = value" line a property, is what a window ships as the
// stored design of its controls, and it round-trips.
class PropertyBag {
public:
    struct Entry {
        QString key;
        PropertyValue value;
    };

    // Stores the value unless it equals the default; a key written again keeps its place.
    void write(const QString& key, const PropertyValue& value, const PropertyValue& defaultValue);
    void write(const QString& key, const PropertyValue& value); // always stored

    bool contains(const QString& key) const;
    std::optional<PropertyValue> value(const QString& key) const;
    const QList<Entry>& entries() const { return m_entries; }

    // Typed reads: the stored value when it converts to the type (numbers convert between
    // widths within range), the default otherwise.
    bool readBool(const QString& key, bool defaultValue) const;
    qint16 readInt16(const QString& key, qint16 defaultValue) const;
    qint32 readInt32(const QString& key, qint32 defaultValue) const;
    double readDouble(const QString& key, double defaultValue) const;
    QString readString(const QString& key, const QString& defaultValue) const;
    quint32 readColour(const QString& key, quint32 defaultValue) const;
    FontValue readFont(const QString& key, const FontValue& defaultValue) const;

    QString toText() const;
    // Parses the text form; a malformed line gives nothing and the line number in `error`.
    static std::optional<PropertyBag> fromText(const QString& text, QString* error = nullptr);

    friend bool operator==(const PropertyBag& a, const PropertyBag& b);

private:
    QList<Entry> m_entries;
};

} // namespace conv
