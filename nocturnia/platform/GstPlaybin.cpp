#include "platform/GstPlaybin.h"

#include <QMetaObject>
#include <QSocketNotifier>

namespace {

// Audio and software volume only: a file with pictures or subtitles opens no window.
constexpr guint audioOnlyFlags = (1u << 1) | (1u << 4);

QString gstreamerReady() {
    GError* error = nullptr;
    if (gst_init_check(nullptr, nullptr, &error))
        return {};
    QString reason = error != nullptr ? QString::fromUtf8(error->message)
                                      : QStringLiteral("GStreamer could not be initialised");
    g_clear_error(&error);
    return reason;
}

} // namespace

GstPlaybin::GstPlaybin(const QUrl& url, double volume, QObject* parent)
    : QObject(parent)
    , m_source(url) {
    m_setupError = gstreamerReady();
    if (!m_setupError.isEmpty())
        return;
    GstElement* made = gst_element_factory_make("playbin", nullptr);
    if (made == nullptr) {
        m_setupError = QStringLiteral("GStreamer's playbin element is missing");
        return;
    }
    m_playbin = GST_ELEMENT(gst_object_ref_sink(made));
    const QByteArray uri = url.toEncoded();
    g_object_set(m_playbin, "uri", uri.constData(), "flags", audioOnlyFlags, nullptr);
    setVolume(volume);

    m_bus = gst_element_get_bus(m_playbin);
    GPollFD pollFd{};
    gst_bus_get_pollfd(m_bus, &pollFd);
    m_busReady = new QSocketNotifier(pollFd.fd, QSocketNotifier::Read, this);
    connect(m_busReady, &QSocketNotifier::activated, this, &GstPlaybin::readBus);
}

GstPlaybin::~GstPlaybin() {
    // The notifier goes before the bus whose descriptor it watches.
    delete m_busReady;
    if (m_playbin != nullptr) {
        // Stopping the streaming threads takes milliseconds; nothing here waits for a preroll.
        gst_element_set_state(m_playbin, GST_STATE_NULL);
        gst_object_unref(m_bus);
        gst_object_unref(m_playbin);
    }
}

void GstPlaybin::setVolume(double volume) {
    if (m_playbin != nullptr)
        g_object_set(m_playbin, "volume", gdouble(volume), nullptr);
}

void GstPlaybin::play() {
    if (m_playbin == nullptr) {
        // Queued, as a pipeline's own failure would come.
        QMetaObject::invokeMethod(
            this, [this] { fail(m_setupError); }, Qt::QueuedConnection);
        return;
    }
    if (gst_element_set_state(m_playbin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        // The error message on the bus gives the reason; this is in case it gives none.
        QMetaObject::invokeMethod(
            this, [this] { fail(QStringLiteral("the sound could not be started")); },
            Qt::QueuedConnection);
    }
}

void GstPlaybin::readBus() {
    while (GstMessage* message = gst_bus_pop(m_bus)) {
        const GstMessageType type = message->type;
        if (type == GST_MESSAGE_ERROR) {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            const QString reason = error != nullptr ? QString::fromUtf8(error->message) : QString();
            g_clear_error(&error);
            gst_message_unref(message);
            fail(reason.isEmpty() ? QStringLiteral("GStreamer reported an error") : reason);
            return;
        }
        const bool fromPlaybin = message->src == GST_OBJECT(m_playbin);
        GstState newState = GST_STATE_VOID_PENDING;
        if (type == GST_MESSAGE_STATE_CHANGED && fromPlaybin)
            gst_message_parse_state_changed(message, nullptr, &newState, nullptr);
        gst_message_unref(message);

        if (newState == GST_STATE_PLAYING && !m_reportedPlaying && !m_failed) {
            m_reportedPlaying = true;
            Q_EMIT playing();
        } else if (type == GST_MESSAGE_EOS && !m_failed) {
            Q_EMIT ended();
        }
    }
}

void GstPlaybin::fail(const QString& reason) {
    if (m_failed)
        return;
    m_failed = true;
    Q_EMIT failed(reason);
}
