#pragma once

#include "LibraryContext.h"
#include "conventions/ControlFactory.h"

#include <memory>

namespace datora {

// Makes the library's public controls by class name, all sharing one library context.
class DatoraFactory final : public conv::ControlFactory {
public:
    static inline const QString kPickerClass = QStringLiteral("KiroXPControls2.KiroXPDTPicker");
    static inline const QString kSpinClass = QStringLiteral("KiroXPControls2.KiroXPSpin");
    static inline const QString kButtonClass = QStringLiteral("KiroXPControls2.CommandButton");

    DatoraFactory();
    ~DatoraFactory() override;

    // The host's clock and timers, which outlive every control made here.
    void start(const conv::Clock& clock, conv::TimerSource& timers) override;
    QStringList classNames() const override;
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override;

    // Null until started.
    LibraryContext* context() const { return m_context.get(); }

private:
    std::unique_ptr<LibraryContext> m_context;
    bool m_calendarMade = false;
};

} // namespace datora
