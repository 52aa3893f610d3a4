#include "base/SettingConversion.h"

#include "conventions/NumericText.h"

#include <QLocale>

std::optional<qint16> integerFromSetting(const QString& text) {
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !(number > -32768.5 && number < 32767.5)) // also refuses infinities and NaN
        return std::nullopt;
    const qint64 rounded = conv::roundHalfEven(number);
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<int> checkValueFromSetting(const QString& text) {
    const auto value = integerFromSetting(text);
    if (!value || *value < 0 || *value > 2)
        return std::nullopt;
    return *value;
}
