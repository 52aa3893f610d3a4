#pragma once

#include <QString>

namespace nocturnia {

// Where a control reports a rejected property value. The shell shows it as a modal message
// box with an OK button; the call returns once the user has dismissed it.
class ErrorMessageSink {
public:
    virtual ~ErrorMessageSink() = default;
    virtual void showError(const QString& text) = 0;
};

} // namespace nocturnia
