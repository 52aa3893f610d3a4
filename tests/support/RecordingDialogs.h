#pragma once

#include "base/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers the windows' dialogs without showing anything: records every message and hands
// out the queued answers of the choosers (an empty answer is a cancel).
class RecordingDialogs final : public Dialogs {
public:
    struct Message {
        enum class Icon { Information, Warning } icon;
        QString title;
        QString text;
    };

    QList<Message> messages;
    QStringList fileAnswers;
    QStringList folderAnswers;
    QStringList fileRequests; // "title|filter" of each file dialog asked for

    void information(QWidget*, const QString& title, const QString& text) override {
        messages.append({Message::Icon::Information, title, text});
    }
    void warning(QWidget*, const QString& title, const QString& text) override {
        messages.append({Message::Icon::Warning, title, text});
    }
    QString openFileName(QWidget*, const QString& title, const QString& filter) override {
        fileRequests << title + QLatin1Char('|') + filter;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
    QString existingFolder(QWidget*, const QString&, const QString&) override {
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }
};
