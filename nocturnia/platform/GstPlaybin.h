#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <gst/gst.h>

class QSocketNotifier;

// One sound played once by GStreamer's playbin, audio only. Everything the window's thread
// does with the pipeline returns at once: it is started asynchronously, never seeked, and its
// messages are read from the bus when the bus's descriptor says some are waiting.
// Destroying it silences the sound. Connect to its signals queued: a receiver must not
// destroy it inside one of them.
class GstPlaybin final : public QObject {
    Q_OBJECT

public:
    GstPlaybin(const QUrl& url, double volume, QObject* parent = nullptr);
    ~GstPlaybin() override;

    GstPlaybin(const GstPlaybin&) = delete;
    GstPlaybin& operator=(const GstPlaybin&) = delete;

    QUrl source() const { return m_source; }
    // 0 silent, 1 the file's own level.
    void setVolume(double volume);
    // Starts playing; a pipeline that cannot be made reports failed() instead, queued.
    void play();

Q_SIGNALS:
    // The sound is coming out.
    void playing();
    void ended();
    // Emitted once, with the reason; nothing more follows.
    void failed(const QString& reason);

private:
    void readBus();
    void fail(const QString& reason);

    QUrl m_source;
    GstElement* m_playbin = nullptr;
    GstBus* m_bus = nullptr;
    QSocketNotifier* m_busReady = nullptr;
    QString m_setupError;
    bool m_reportedPlaying = false;
    bool m_failed = false;
};
