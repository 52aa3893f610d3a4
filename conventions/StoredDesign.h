#pragma once

#include "PropertyBag.h"

#include <QMap>
#include <QString>
#include <optional>

namespace conv {

// A window's stored design: the persisted properties of each of its controls, one
// "[ControlName]" header followed by that control's property bag in its text form.
using StoredDesign = QMap<QString, PropertyBag>;

std::optional<StoredDesign> parseStoredDesign(const QString& text, QString* error = nullptr);
QString storedDesignText(const StoredDesign& design);

} // namespace conv
