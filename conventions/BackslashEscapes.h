#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace conv {

// One escape of a text format: a character, and the letter written for it behind a backslash.
// Each format has a table of its own (an array of these).
struct BackslashEscape {
    char16_t character;
    char16_t letter;
};

// The letter the character is written as behind a backslash; nothing when it stands as it is.
template <class Table> std::optional<QChar> escapeLetter(QChar character, const Table& escapes) {
    for (const BackslashEscape& escape : escapes) {
        if (escape.character == character.unicode())
            return QChar(escape.letter);
    }
    return std::nullopt;
}

// The character a letter behind a backslash stands for; nothing when it is no escape.
template <class Table> std::optional<QChar> escapedCharacter(QChar letter, const Table& escapes) {
    for (const BackslashEscape& escape : escapes) {
        if (escape.letter == letter.unicode())
            return QChar(escape.character);
    }
    return std::nullopt;
}

// The text with every character of the table written as its escape.
template <class Table> QString escaped(const QString& text, const Table& escapes) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (const auto letter = escapeLetter(c, escapes)) {
            out += QLatin1Char('\\');
            out += *letter;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace conv
