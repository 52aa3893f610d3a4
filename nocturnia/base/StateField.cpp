#include "base/StateField.h"

#include "conventions/NumericText.h"

StateField::StateField(QString designValue, QObject* parent)
    : QObject(parent)
    , m_text(std::move(designValue)) {}

void StateField::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT changed(m_text);
}

double StateField::number() const {
    return conv::leadingNumber(m_text);
}
