#pragma once

#include <QList>
#include <QString>

// A media item: the path or address of one sound.
struct AlarmMedia {
    QString url;
};

// A named list of media items, played in order from the first.
struct AlarmPlaylist {
    QString name;
    QList<AlarmMedia> items;

    void appendItem(const AlarmMedia& item) { items.append(item); }
};

// The program's one media player: the operations the alarm needs and nothing more. A call
// never fails towards its caller; a sound that cannot be played is silent.
class AlarmPlayer {
public:
    virtual ~AlarmPlayer() = default;

    // 0 to 100, 100 being the player's full scale.
    virtual void setVolume(int volume) = 0;
    // How many times in a row the current playlist is played before the player stops by
    // itself.
    virtual void setPlayCount(int count) = 0;

    // Silences at once, whatever is playing, and returns at once.
    virtual void stop() = 0;
    // Starts the current playlist from its first item.
    virtual void play() = 0;

    // A new empty playlist; `url` is an address to fill it from, empty for none.
    virtual AlarmPlaylist newPlaylist(const QString& name, const QString& url) = 0;
    virtual AlarmMedia newMedia(const QString& url) = 0;
    virtual void setCurrentPlaylist(const AlarmPlaylist& playlist) = 0;
};
