#include "platform/GstAlarmPlayer.h"

#include "platform/AlarmLog.h"
#include "platform/GstPlaybin.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <algorithm>

namespace {

// An item holds a URL; a plain path (what a caller may have put there itself) is a local file.
QUrl mediaUrl(const QString& text) {
    if (text.isEmpty())
        return {};
    QUrl url(text);
    // One letter before the colon is a drive, not a scheme.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

} // namespace

GstAlarmPlayer::GstAlarmPlayer(QObject* parent)
    : QObject(parent) {}

GstAlarmPlayer::~GstAlarmPlayer() {
    discardPlayer();
}

void GstAlarmPlayer::setVolume(int volume) {
    m_volume = std::clamp(volume, 0, 100);
    if (m_player != nullptr)
        m_player->setVolume(double(m_volume) / 100.0);
}

void GstAlarmPlayer::setPlayCount(int count) {
    m_playCount = std::max(count, 1);
}

void GstAlarmPlayer::stop() {
    discardPlayer();
    setPlaying(false);
}

void GstAlarmPlayer::play() {
    discardPlayer();
    m_pass = 0;
    m_passHadSound = false;
    m_reported.clear();
    if (!soundOutputAvailable()) {
        setPlaying(false);
        return;
    }
    continueFrom(0);
    if (m_player != nullptr)
        setPlaying(true);
}

AlarmPlaylist GstAlarmPlayer::newPlaylist(const QString& name, const QString& url) {
    if (!url.isEmpty())
        qCInfo(lcAlarm).noquote() << "Playlist address not read, the playlist starts empty:" << url;
    return AlarmPlaylist{name, {}};
}

AlarmMedia GstAlarmPlayer::newMedia(const QString& url) {
    return AlarmMedia{mediaUrl(url).toString(QUrl::FullyEncoded)};
}

void GstAlarmPlayer::setCurrentPlaylist(const AlarmPlaylist& playlist) {
    m_playlist = playlist;
}

bool GstAlarmPlayer::soundOutputAvailable() {
    if (QMediaDevices::audioOutputs().isEmpty()) {
        if (!m_reportedNoOutput)
            qCWarning(lcAlarm) << "No sound output device: alarm sounds are silent";
        m_reportedNoOutput = true;
        return false;
    }
    m_reportedNoOutput = false;
    return true;
}

void GstAlarmPlayer::continueFrom(int item) {
    m_item = item;
    for (;;) {
        if (m_item >= m_playlist.items.size()) {
            ++m_pass;
            // A pass in which nothing could be played would only fail again.
            if (!m_passHadSound || m_pass >= m_playCount) {
                finish();
                return;
            }
            m_item = 0;
            m_passHadSound = false;
        }
        if (startItem(mediaUrl(m_playlist.items.at(m_item).url)))
            return;
        ++m_item;
    }
}

bool GstAlarmPlayer::startItem(const QUrl& url) {
    if (url.isEmpty()) {
        qCDebug(lcAlarm) << "Empty media item: nothing to play";
        return false;
    }
    // Each item gets a pipeline of its own, so that nothing of the last item's stream can play
    // in its place.
    discardPlayer();
    m_player = new GstPlaybin(url, double(m_volume) / 100.0, this);

    // Signals reach this object queued, so that a pipeline is never destroyed inside one of
    // its own signals; the generation, moved on when the last pipeline went, drops those still
    // queued from an earlier item.
    const quint64 generation = m_generation;
    const auto current = [this, generation] {
        return generation == m_generation;
    };
    connect(
        m_player, &GstPlaybin::playing, this,
        [this, current] {
            if (current())
                m_passHadSound = true;
        },
        Qt::QueuedConnection);
    connect(
        m_player, &GstPlaybin::ended, this,
        [this, current] {
            if (current())
                onEnded();
        },
        Qt::QueuedConnection);
    connect(
        m_player, &GstPlaybin::failed, this,
        [this, current](const QString& reason) {
            if (current())
                onError(reason);
        },
        Qt::QueuedConnection);
    m_player->play();
    return true;
}

void GstAlarmPlayer::onEnded() {
    m_passHadSound = true;
    continueFrom(m_item + 1);
}

void GstAlarmPlayer::onError(const QString& reason) {
    reportUnplayable(m_player->source(), reason);
    discardPlayer();
    continueFrom(m_item + 1);
}

void GstAlarmPlayer::reportUnplayable(const QUrl& url, const QString& reason) {
    if (m_reported.contains(url))
        return;
    m_reported.insert(url);
    qCWarning(lcAlarm).noquote().nospace()
        << "Cannot play " << url.toDisplayString(QUrl::PreferLocalFile) << ": " << reason;
}

void GstAlarmPlayer::finish() {
    discardPlayer();
    setPlaying(false);
}

void GstAlarmPlayer::discardPlayer() {
    ++m_generation;
    if (m_player == nullptr)
        return;
    m_player->disconnect(this);
    delete m_player;
    m_player = nullptr;
}

void GstAlarmPlayer::setPlaying(bool playing) {
    if (m_playing == playing)
        return;
    m_playing = playing;
    Q_EMIT playingChanged(playing);
}
