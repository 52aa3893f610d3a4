#pragma once

#include "base/ErrorMessageSink.h"

#include <QStringList>

// Where a control under test reports a rejected property value: the messages are kept, and
// nothing is shown.
class RecordingErrors final : public nocturnia::ErrorMessageSink {
public:
    void showError(const QString& text) override { messages.append(text); }
    QStringList messages;
};
