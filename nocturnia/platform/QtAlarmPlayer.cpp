#include "platform/QtAlarmPlayer.h"

#include "platform/AlarmLog.h"

#include <QAudioDevice>
#include <QAudioOutput>
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

QtAlarmPlayer::QtAlarmPlayer(QObject* parent)
    : QObject(parent) {}

QtAlarmPlayer::~QtAlarmPlayer() {
    discardPlayer();
}

void QtAlarmPlayer::setVolume(int volume) {
    m_volume = std::clamp(volume, 0, 100);
    if (m_player != nullptr && m_player->audioOutput() != nullptr)
        m_player->audioOutput()->setVolume(float(m_volume) / 100.0f);
}

void QtAlarmPlayer::setPlayCount(int count) {
    m_playCount = std::max(count, 1);
}

void QtAlarmPlayer::stop() {
    discardPlayer();
    setPlaying(false);
}

void QtAlarmPlayer::play() {
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

AlarmPlaylist QtAlarmPlayer::newPlaylist(const QString& name, const QString& url) {
    if (!url.isEmpty())
        qCInfo(lcAlarm).noquote() << "Playlist address not read, the playlist starts empty:" << url;
    return AlarmPlaylist{name, {}};
}

AlarmMedia QtAlarmPlayer::newMedia(const QString& url) {
    return AlarmMedia{mediaUrl(url).toString(QUrl::FullyEncoded)};
}

void QtAlarmPlayer::setCurrentPlaylist(const AlarmPlaylist& playlist) {
    m_playlist = playlist;
}

bool QtAlarmPlayer::soundOutputAvailable() {
    if (QMediaDevices::audioOutputs().isEmpty()) {
        if (!m_reportedNoOutput)
            qCWarning(lcAlarm) << "No sound output device: alarm sounds are silent";
        m_reportedNoOutput = true;
        return false;
    }
    m_reportedNoOutput = false;
    return true;
}

void QtAlarmPlayer::continueFrom(int item) {
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

bool QtAlarmPlayer::startItem(const QUrl& url) {
    if (url.isEmpty()) {
        qCDebug(lcAlarm) << "Empty media item: nothing to play";
        return false;
    }
    // Each item gets a player of its own: a player given a new source after the last one
    // ended sometimes, on a busy machine, plays the last item again in its place.
    discardPlayer();
    m_player = new QMediaPlayer(this);
    auto* output = new QAudioOutput(m_player);
    output->setVolume(float(m_volume) / 100.0f);
    m_player->setAudioOutput(output);
    m_player->setLoops(1);

    // Signals reach this object queued, so that a player is never destroyed inside one of
    // its own signals; the generation, moved on when the last player went, drops those still
    // queued from an earlier item.
    const quint64 generation = m_generation;
    connect(
        m_player, &QMediaPlayer::mediaStatusChanged, this,
        [this, generation](QMediaPlayer::MediaStatus status) {
            if (generation == m_generation)
                onStatusChanged(status);
        },
        Qt::QueuedConnection);
    connect(
        m_player, &QMediaPlayer::errorOccurred, this,
        [this, generation](QMediaPlayer::Error, const QString& reason) {
            if (generation == m_generation)
                onError(reason);
        },
        Qt::QueuedConnection);

    m_player->setSource(url);
    m_player->play();
    return true;
}

void QtAlarmPlayer::onStatusChanged(QMediaPlayer::MediaStatus status) {
    switch (status) {
    case QMediaPlayer::BufferedMedia:
        m_passHadSound = true;
        break;
    case QMediaPlayer::EndOfMedia:
        m_passHadSound = true;
        continueFrom(m_item + 1);
        break;
    case QMediaPlayer::InvalidMedia:
        onError(m_player->errorString());
        break;
    default:
        break;
    }
}

void QtAlarmPlayer::onError(const QString& reason) {
    reportUnplayable(m_player->source(), reason);
    discardPlayer();
    continueFrom(m_item + 1);
}

void QtAlarmPlayer::reportUnplayable(const QUrl& url, const QString& reason) {
    if (m_reported.contains(url))
        return;
    m_reported.insert(url);
    qCWarning(lcAlarm).noquote().nospace()
        << "Cannot play " << url.toDisplayString(QUrl::PreferLocalFile) << ": " << reason;
}

void QtAlarmPlayer::finish() {
    discardPlayer();
    setPlaying(false);
}

void QtAlarmPlayer::discardPlayer() {
    ++m_generation;
    if (m_player == nullptr)
        return;
    // Destroyed, not stopped: stop() on a failed pipeline blocks for about a second.
    m_player->disconnect(this);
    delete m_player;
    m_player = nullptr;
}

void QtAlarmPlayer::setPlaying(bool playing) {
    if (m_playing == playing)
        return;
    m_playing = playing;
    Q_EMIT playingChanged(playing);
}
