#pragma once

#include "base/AlarmPlayer.h"

#include <QObject>
#include <QSet>
#include <QUrl>

class GstPlaybin;

// The alarm player on GStreamer. One pipeline exists only while something plays; when idle
// there is no pipeline, no thread and no timer.
//
// Each item plays once on a pipeline of its own and its end starts the next item, the whole
// list being one pass. The count is read at the end of every pass, so a change while playing
// applies to the running play: a higher count extends it, a count already reached makes the
// current pass the last.
//
// An item that cannot be played (missing, empty, not audio) is reported to the log and
// skipped; a pass in which nothing could be played ends the play. Without any sound output
// device play() does nothing. The caller never sees a failure, only silence.
//
// Qt Multimedia's player is not used: in Qt 6.4 it seeks the pipeline it has just started, and
// when the file's stream appeared at that moment the window's thread and the streaming thread
// each waited for the other for ever.
class GstAlarmPlayer final : public QObject, public AlarmPlayer {
    Q_OBJECT
public:
    explicit GstAlarmPlayer(QObject* parent = nullptr);
    ~GstAlarmPlayer() override;

    void setVolume(int volume) override;
    void setPlayCount(int count) override;
    void stop() override;
    void play() override;
    AlarmPlaylist newPlaylist(const QString& name, const QString& url) override;
    AlarmMedia newMedia(const QString& url) override;
    // A playlist set while playing is used from the next item on.
    void setCurrentPlaylist(const AlarmPlaylist& playlist) override;

    // True from play() until stop() or the end of the last pass.
    bool isPlaying() const { return m_playing; }

Q_SIGNALS:
    void playingChanged(bool playing);

private:
    bool soundOutputAvailable();
    // Plays items from `item` on, skipping those that cannot start, passing on to the next
    // pass at the end of the list; ends the play when the count is done.
    void continueFrom(int item);
    // False when the item names nothing to play.
    bool startItem(const QUrl& url);
    void onEnded();
    void onError(const QString& reason);
    void finish();
    void discardPlayer();
    void setPlaying(bool playing);
    void reportUnplayable(const QUrl& url, const QString& reason);

    AlarmPlaylist m_playlist;
    int m_volume = 100;
    int m_playCount = 1;

    GstPlaybin* m_player = nullptr;
    // Tells the signals of the current player from late ones of players already thrown away:
    // they reach this object queued, after the player may be gone.
    quint64 m_generation = 0;
    int m_item = 0;
    int m_pass = 0;
    bool m_passHadSound = false;
    bool m_playing = false;
    bool m_reportedNoOutput = false;
    // Addresses already reported in this play, so that 999 passes give one line each.
    QSet<QUrl> m_reported;
};
