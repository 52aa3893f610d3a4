#include "StoredDesign.h"

#include <QStringList>

namespace conv {

std::optional<StoredDesign> parseStoredDesign(const QString& text, QString* error) {
    StoredDesign design;
    QString control;
    QString body;
    int bodyFirstLine = 0;
    const auto flush = [&]() -> bool {
        if (control.isEmpty())
            return true;
        QString bagError;
        const auto bag = PropertyBag::fromText(body, &bagError);
        if (!bag) {
            if (error)
                *error = QStringLiteral("[%1], %2 (from line %3)")
                             .arg(control, bagError)
                             .arg(bodyFirstLine);
            return false;
        }
        design.insert(control, *bag);
        return true;
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            if (!flush())
                return std::nullopt;
            control = line.mid(1, line.size() - 2);
            body.clear();
            bodyFirstLine = i + 2;
        } else if (!line.isEmpty()) {
            if (control.isEmpty()) {
                if (error)
                    *error = QStringLiteral("line %1: a property outside any control").arg(i + 1);
                return std::nullopt;
            }
            body += line + QLatin1Char('\n');
        }
    }
    if (!flush())
        return std::nullopt;
    return design;
}

QString storedDesignText(const StoredDesign& design) {
    QString text;
    for (auto it = design.cbegin(); it != design.cend(); ++it)
        text += QLatin1Char('[') + it.key() + QStringLiteral("]\n") + it.value().toText() +
                QLatin1Char('\n');
    return text;
}

} // namespace conv
