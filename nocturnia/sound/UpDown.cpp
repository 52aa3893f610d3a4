#include "sound/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

UpDown::UpDown(QLineEdit& buddy, int value, int minimum, int maximum, int increment,
               QWidget* parent)
    : QWidget(parent)
    , m_buddy(buddy)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
    , m_value(value)
    , m_min(minimum)
    , m_max(maximum)
    , m_increment(increment) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_up, m_down}) {
        button->setArrowType(button == m_up ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    m_up->setAccessibleName(QStringLiteral("Up"));
    m_down->setAccessibleName(QStringLiteral("Down"));
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    connect(&m_buddy, &QLineEdit::textChanged, this, &UpDown::takeFromBuddy);
}

void UpDown::setMaximum(int maximum) {
    m_max = maximum;
    m_value = std::clamp(m_value, m_min, std::max(m_min, m_max));
}

void UpDown::stepUp() {
    step(m_increment);
}

void UpDown::stepDown() {
    step(-m_increment);
}

void UpDown::step(int by) {
    m_value = std::clamp(m_value + by, m_min, std::max(m_min, m_max));
    m_buddy.setText(QString::number(m_value));
}

void UpDown::takeFromBuddy(const QString& text) {
    bool ok = false;
    const int typed = text.trimmed().toInt(&ok);
    if (ok && typed >= m_min && typed <= m_max)
        m_value = typed;
}
