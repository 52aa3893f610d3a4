#include "DateKey.h"

#include "conventions/DateSerial.h"
#include "conventions/TimeText.h"

#include <QRegularExpression>

namespace datora {

namespace {

QString keyOf(const QDate& date) {
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

} // namespace

QString dateKey(qint32 serial) {
    return keyOf(conv::fromDateSerial(serial));
}

QString dateKey(const QString& text, const conv::DateTimeConventions& conventions) {
    static const QRegularExpression digits(QStringLiteral("^\\s*-?\\d+\\s*$"));
    if (digits.match(text).hasMatch()) {
        bool ok = false;
        const qint32 serial = text.trimmed().toInt(&ok);
        return ok ? dateKey(serial) : QString();
    }
    const auto moment = conv::readDateTimeText(text, conventions);
    return moment ? keyOf(moment->date()) : QString();
}

QString todayKey(const conv::Clock& clock) {
    return keyOf(clock.now().date());
}

} // namespace datora
