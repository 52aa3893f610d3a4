#pragma once

#include "base/AlarmPlayer.h"

#include <QStringList>

// Records what is asked of the media player, one line per call, and tracks whether it would
// be sounding: play starts the current playlist, stop silences it.
class RecordingAlarmPlayer final : public AlarmPlayer {
public:
    QStringList calls;
    AlarmPlaylist current;
    bool playing = false;

    void setVolume(int volume) override { calls << QStringLiteral("volume %1").arg(volume); }
    void setPlayCount(int count) override { calls << QStringLiteral("count %1").arg(count); }
    void stop() override {
        calls << QStringLiteral("stop");
        playing = false;
    }
    void play() override {
        calls << QStringLiteral("play");
        playing = true;
    }
    AlarmPlaylist newPlaylist(const QString& name, const QString& url) override {
        calls << QStringLiteral("playlist %1 '%2'").arg(name, url);
        return AlarmPlaylist{name, {}};
    }
    AlarmMedia newMedia(const QString& url) override {
        calls << QStringLiteral("media '%1'").arg(url);
        return AlarmMedia{url};
    }
    void setCurrentPlaylist(const AlarmPlaylist& playlist) override {
        QStringList urls;
        for (const AlarmMedia& item : playlist.items)
            urls << item.url;
        calls << QStringLiteral("current %1 [%2]").arg(playlist.name, urls.join(QLatin1Char(',')));
        current = playlist;
    }

    // The sound that play() would start: the first item of the current playlist.
    QString sounding() const {
        return playing && !current.items.isEmpty() ? current.items.first().url : QString();
    }
};
