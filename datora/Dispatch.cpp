#include "Dispatch.h"

#include <QMetaProperty>
#include <QObject>

namespace datora {

namespace {

bool fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool dispatchMember(QObject& object, std::initializer_list<DispatchMember> members, qint32 id,
                    conv::DispatchKind kind, QVariant& value, QString* error) {
    const DispatchMember* member = nullptr;
    for (const DispatchMember& candidate : members) {
        if (candidate.id == id)
            member = &candidate;
    }
    const QString hexId = QStringLiteral("0x%1").arg(quint32(id), 8, 16, QLatin1Char('0'));
    if (!member)
        return fail(error, QStringLiteral("Unknown member identifier %1").arg(hexId));
    const QString name = QLatin1String(member->name);

    if (member->kind == DispatchMember::Kind::Method) {
        if (kind != conv::DispatchKind::Call)
            return fail(error, QStringLiteral("%1 is a method").arg(name));
        if (!QMetaObject::invokeMethod(&object, member->name, Qt::DirectConnection))
            return fail(error, QStringLiteral("%1 could not be called").arg(name));
        value = QVariant();
        return true;
    }

    const QMetaObject* meta = object.metaObject();
    const int index = meta->indexOfProperty(member->name);
    if (index < 0)
        return fail(error, QStringLiteral("%1 is not available").arg(name));
    const QMetaProperty property = meta->property(index);
    switch (kind) {
    case conv::DispatchKind::Get:
        value = property.read(&object);
        return true;
    case conv::DispatchKind::Put: {
        if (member->kind == DispatchMember::Kind::ReadOnly)
            return fail(error, QStringLiteral("%1 is read-only").arg(name));
        QVariant converted = value;
        if (!converted.convert(property.metaType()))
            return fail(error, QStringLiteral("Type mismatch writing %1").arg(name));
        if (!property.write(&object, converted))
            return fail(error, QStringLiteral("%1 could not be written").arg(name));
        return true;
    }
    case conv::DispatchKind::Call:
        break;
    }
    return fail(error, QStringLiteral("%1 is a property, not a method").arg(name));
}

} // namespace datora
