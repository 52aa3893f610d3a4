// The number, date and time texts: read in several locales, and whatever reads as a date must
// write back to the same text.
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/DateTimeConventions.h"
#include "conventions/NumericText.h"
#include "conventions/TimeText.h"

#include <QLocale>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QList<conv::DateTimeConventions> locales{
        conv::DateTimeConventions::usEnglish(),
        conv::DateTimeConventions::fromLocale(QLocale(QStringLiteral("en_GB"))),
        conv::DateTimeConventions::fromLocale(QLocale(QStringLiteral("de_DE")))};
    static const QStringList patterns{QStringLiteral("m/d/yyyy"), QStringLiteral("dd/mm/yy"),
                                      QStringLiteral("dddd, mmmm d, yyyy")};
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    const double number = conv::leadingNumber(text);
    conv::formatTwoDecimals(number);
    conv::shortestDecimal(number);
    conv::roundHalfEven(number);
    conv::roundHalfEven(number, int(size % 20) - 2);
    conv::fromDateTimeSerial(number);
    if (const auto serial = conv::dateSerial(conv::fromDateTimeSerial(number).date()))
        conv::fromDateSerial(*serial);

    for (const conv::DateTimeConventions& conventions : locales) {
        if (const auto moment = conv::readDateTimeText(text, conventions))
            conv::formatLongTime(moment->time(), conventions);
        for (const QString& pattern : patterns) {
            const auto date = conv::readDate(text, pattern, conventions);
            if (!date)
                continue;
            const QString written = conv::formatDate(*date, pattern, conventions);
            if (conv::readDate(written, pattern, conventions) != date)
                std::abort();
        }
    }
    return 0;
}
