#pragma once

#include <QString>
#include <optional>

// Reading a stored text back into a control's type, as the platform converts a string to an
// integer: blanks around the number allowed, decimals rounded half to even, anything else
// (words, out of 16-bit range) no number at all, so the control keeps its value.
std::optional<qint16> integerFromSetting(const QString& text);

// A check box value: 0 unchecked, 1 checked, 2 grey; any other text converts to nothing.
std::optional<int> checkValueFromSetting(const QString& text);
