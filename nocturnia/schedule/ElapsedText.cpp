#include "schedule/ElapsedText.h"

#include <QStringList>

namespace nocturnia {

QString elapsedText(qint64 seconds) {
    struct Unit {
        qint64 seconds;
        const char* word;
    };
    static constexpr Unit units[] = {
        {31536000, " Year"}, {86400, " Day"}, {3600, " Hour"}, {60, " Minute"}, {1, " Second"}};

    QStringList parts;
    qint64 rest = qMax<qint64>(seconds, 0);
    for (const Unit& unit : units) {
        const qint64 n = rest / unit.seconds;
        rest -= n * unit.seconds;
        if (n > 0)
            parts.append(QString::number(n) + QLatin1String(unit.word) +
                         (n == 1 ? QString() : QStringLiteral("s")));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace nocturnia
