#include "HostedWidget.h"

namespace datora {

HostedWidget::HostedWidget(QWidget* parent)
    : QWidget(parent) {}

bool HostedWidget::dispatch(qint32 id, conv::DispatchKind, QVariant&, QString* error) {
    if (error)
        *error = QStringLiteral("%1 has no dispatch member 0x%2")
                     .arg(QString::fromLatin1(metaObject()->className())
                              .section(QStringLiteral("::"), -1))
                     .arg(quint32(id), 8, 16, QLatin1Char('0'));
    return false;
}

} // namespace datora
