#include "netmon/SpeedSampling.h"

#include "base/SettingsStore.h"
#include "base/SpeedFigures.h"
#include "conventions/NumericText.h"
#include "conventions/Timer.h"
#include "netmon/CIpHelper.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>
#include <stdexcept>

namespace {

QString kilobytes(quint64 octets) {
    return conv::formatTwoDecimals(double(octets) / 1024.0);
}

} // namespace

SpeedSampling::SpeedSampling(Links links)
    : QObject(&links.window)
    , m_links(links) {
    // Nothing shows the list: it only follows the system's interfaces.
    cboConnectionType = new QComboBox(&m_links.window);
    cboConnectionType->setObjectName(QStringLiteral("cboConnectionType"));
    cboConnectionType->setGeometry(-2000, -2000, 120, 21);
    cboConnectionType->hide();

    Timer1 = m_links.timers.createTimer();
    Timer1->setInterval(1000);
    connect(Timer1.get(), &conv::Timer::timeout, this, &SpeedSampling::Timer1_Timer);
}

SpeedSampling::~SpeedSampling() = default;

bool SpeedSampling::fillConnectionList() {
    objIpHelper = std::make_unique<CIpHelper>(m_links.counters);
    fill(*objIpHelper->Interfaces());
    selectFromSetting();
    return true;
}

void SpeedSampling::fill(const CInterfaces& interfaces) {
    for (const auto& item : interfaces)
        cboConnectionType->addItem(item->InterfaceDescription() + QLatin1Char(' '));
}

void SpeedSampling::selectFromSetting() {
    const double stored = conv::leadingNumber(
        m_links.settings.read(QStringLiteral("Nocturnia"), QStringLiteral("Setting"),
                              QStringLiteral("Connection"), QStringLiteral("0")));
    const qint64 entry = stored + 1 > cboConnectionType->count() ? 0 : conv::roundHalfEven(stored);
    // A negative position selects nothing that exists: the first entry then, as for one
    // beyond the end. An empty list selects nothing at all.
    cboConnectionType->setCurrentIndex(entry < 0 ? 0 : int(entry));
}

void SpeedSampling::Timer1_Timer() {
    if (!objIpHelper)
        objIpHelper = std::make_unique<CIpHelper>(m_links.counters);
    // One read serves the whole tick: the totals and the count the list is compared with come
    // from the same moment, and no other handler runs in between.
    const auto interfaces = objIpHelper->Interfaces();
    try {
        (void)interfaces->Item(cboConnectionType->currentIndex() + 1); // the selection: unused
    } catch (const std::out_of_range&) {
    }
    const TrafficTotals totals = objIpHelper->totals();
    const quint64 download = octetsBetween(lngLastBytesReceived, totals.received);
    const quint64 upload = octetsBetween(lngLastBytesSent, totals.sent);

    const QString downloadText = kilobytes(download);
    const QString uploadText = kilobytes(upload);
    m_links.lblDSpeed.setText(downloadText + QStringLiteral(" KBs "));
    m_links.speed.Label37.setText(downloadText);
    m_links.lblUSpeed.setText(uploadText + QStringLiteral(" KBs "));
    m_links.speed.Label42.setText(uploadText);

    // After a failed read the next difference is taken from the last good totals: from 0 it
    // would show everything the machine moved since its start as one second's traffic.
    if (objIpHelper->lastReadSucceeded()) {
        lngLastBytesReceived = totals.received;
        lngLastBytesSent = totals.sent;
    }

    if (interfaces->Count() == cboConnectionType->count())
        return;
    cboConnectionType->clear();
    fill(*interfaces);
    selectFromSetting();
}
