#include "schedule/ElapsedText.h"

#include <QString>

namespace nocturnia {

QString elapsedText(qint64 seconds) {
    struct Unit {
        qint64 seconds;
        const char* word;
    };
    static constexpr Unit units[] = {
        {31536000, " Year"}, {86400, " Day"}, {3600, " Hour"}, {60, " Minute"}, {1, " Second"}};

    // Appended in place: the countdown writes it every second.
    QString text;
    text.reserve(64);
    qint64 rest = qMax<qint64>(seconds, 0);
    for (const Unit& unit : units) {
        const qint64 n = rest / unit.seconds;
        rest -= n * unit.seconds;
        if (n == 0)
            continue;
        if (!text.isEmpty())
            text += QLatin1String(", ");
        text += QString::number(n);
        text += QLatin1String(unit.word);
        if (n != 1)
            text += QLatin1Char('s');
    }
    return text;
}

} // namespace nocturnia
