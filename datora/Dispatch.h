#pragma once

#include "conventions/ControlHosting.h"

#include <QVariant>
#include <initializer_list>

class QObject;

namespace datora {

// One member of a control's type library: a Qt property or invokable method of that name.
struct DispatchMember {
    enum class Kind { ReadWrite, ReadOnly, Method };
    qint32 id;
    const char* name;
    Kind kind;
};

// The standard identifier of a control's font.
inline constexpr qint32 kDispatchFont = -512;

// Answers a dispatch call through the object's properties and methods, so that a member used
// by name and by identifier behaves the same. A Put converts the value to the property's type
// and fails, changing nothing, when it does not convert.
bool dispatchMember(QObject& object, std::initializer_list<DispatchMember> members, qint32 id,
                    conv::DispatchKind kind, QVariant& value, QString* error);

} // namespace datora
