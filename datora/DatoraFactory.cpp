#include "DatoraFactory.h"

#include "CommandButton.h"
#include "KiroXPDTPicker.h"
#include "KiroXPSpin.h"

#include <QApplication>

namespace datora {

DatoraFactory::DatoraFactory() = default;

DatoraFactory::~DatoraFactory() = default;

void DatoraFactory::start(const conv::Clock& clock, conv::TimerSource& timers) {
    // Controls made so far hold the first context: it must stay.
    if (!m_context)
        m_context = std::make_unique<LibraryContext>(clock, timers);
}

QStringList DatoraFactory::classNames() const {
    return {kPickerClass, kSpinClass, kButtonClass};
}

QWidget* DatoraFactory::createControl(const QString& className, QWidget* parent, QString* error) {
    auto fail = [error](const QString& reason) -> QWidget* {
        if (error)
            *error = reason;
        return nullptr;
    };
    if (!classNames().contains(className))
        return fail(QStringLiteral("Datora has no creatable class \"%1\"; it offers %2")
                        .arg(className, classNames().join(QStringLiteral(", "))));
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("Datora controls need a QApplication"));
    if (!m_context)
        return fail(QStringLiteral("Datora has not been started: the host gives it its clock "
                                   "and timers first"));

    if (!m_calendarMade) {
        // The library makes its calendar window once, hidden, before its first control. The
        // host's window owns it: the library outlives the application, a window must not.
        m_context->calendar(parent ? parent->window() : nullptr);
        m_calendarMade = true;
    }

    if (className == kPickerClass)
        return new KiroXPDTPicker(*m_context, parent);
    if (className == kSpinClass)
        return new KiroXPSpin(*m_context, parent);
    return new CommandButton(*m_context, parent);
}

} // namespace datora
