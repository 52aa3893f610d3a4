#include "triggers/Farcall.h"

#include "base/ConnectionListener.h"
#include "base/StateField.h"
#include "commands/CommandOperations.h"
#include "conventions/Clock.h"
#include "conventions/Timer.h"
#include "triggers/LocalNetwork.h"

#include <QCheckBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QSpinBox>
#include <algorithm>

Q_LOGGING_CATEGORY(lcFarcall, "nocturnia.farcall")

Farcall::Farcall(Links links, QObject* parent)
    : QObject(parent)
    , Text6(new StateField(QStringLiteral("0"), this))
    , Timer8(links.timers.createTimer())
    , m_links(links) {
    Timer8->setSingleShot(true);
    connect(Timer8.get(), &conv::Timer::timeout, this, &Farcall::Timer8_Timer);
    connect(&m_links.listener, &ConnectionListener::connectionClosed, this,
            &Farcall::connectionRequest);
    connect(&m_links.Check6, &QCheckBox::stateChanged, this, &Farcall::applyState);
    connect(&m_links.port, &QSpinBox::valueChanged, this, &Farcall::applyState);
    m_links.status.setText(QStringLiteral("Disabled."));
}

Farcall::~Farcall() {
    m_links.listener.close();
}

bool Farcall::createSenders() {
    blnSenderFree.fill(true);
    return true;
}

bool Farcall::startListening() {
    m_started = true;
    applyState();
    return !m_links.Check6.isChecked() || m_links.listener.isListening();
}

void Farcall::closeListener() {
    m_started = false;
    m_links.listener.close();
}

void Farcall::applyState() {
    if (!m_started)
        return;
    // The grey state counts as unchecked.
    if (m_links.Check6.checkState() != Qt::Checked) {
        m_links.listener.close();
        m_links.status.setText(QStringLiteral("Disabled."));
        return;
    }
    const int port = m_links.port.value();
    const ConnectionListener::Result result = m_links.listener.listen(quint16(port));
    switch (result.failure) {
    case ConnectionListener::Failure::None:
        m_links.status.setText(QStringLiteral("Listening on port %1.").arg(port));
        break;
    case ConnectionListener::Failure::NeedsPrivilege:
        m_links.status.setText(
            QStringLiteral("Port %1 needs administrator rights. Choose a port above 1023.")
                .arg(port));
        break;
    case ConnectionListener::Failure::InUse:
        m_links.status.setText(
            QStringLiteral("Port %1 is in use by another program. Choose another port.").arg(port));
        break;
    case ConnectionListener::Failure::Other:
        m_links.status.setText(
            QStringLiteral("Cannot listen on port %1: %2").arg(port).arg(result.message));
        break;
    }
}

void Farcall::connectionRequest(const QHostAddress& peer) {
    if (m_links.localOnly.checkState() != Qt::Unchecked && !isLocalNetworkPeer(peer)) {
        const QString address = peer.toString();
        if (!m_refusedLogged.contains(address)) {
            m_refusedLogged.insert(address);
            qCWarning(lcFarcall).noquote()
                << "connection from" << address << "ignored: not on the local network";
        }
        return;
    }
    // The slot is taken and freed in the same step: every request is served by slot 0, and
    // with no slot free the request is left alone.
    const auto free = std::find(blnSenderFree.begin(), blnSenderFree.end(), true);
    if (free == blnSenderFree.end())
        return;
    *free = false;
    Text6->setText(QStringLiteral("1"));
    *free = true;
    armPoll();
}

void Farcall::armPoll() {
    if (Timer8->isActive())
        return;
    // One poll in each tenth of a second. A period without a poll yet takes it at once, on
    // the next turn of the event loop, so a request is not kept waiting for the boundary;
    // marks later in the same period wait for the next one.
    const qint64 now = m_links.clock.now().toMSecsSinceEpoch();
    const bool polledThisPeriod = now / kPollMs == m_lastPollPeriod;
    Timer8->setInterval(polledThisPeriod ? int(kPollMs - now % kPollMs) : 0);
    Timer8->start();
}

void Farcall::Timer8_Timer() {
    m_lastPollPeriod = m_links.clock.now().toMSecsSinceEpoch() / kPollMs;
    if (Text6->text() != QLatin1String("1"))
        return;
    m_links.commands.performSelected();
    // Cleared after the command: requests noted while it ran go with it.
    Text6->setText(QStringLiteral("0"));
}
