#pragma once

#include <QWidget>

class QPlainTextEdit;

// The notification window: shows the title and text the user typed on the main window,
// taken once when the window loads. It has no buttons; its close box unloads it.
class SilentAlarm final : public QWidget {
    Q_OBJECT
public:
    // `title` and `text` are the main window's inputs at the moment of loading.
    SilentAlarm(const QString& title, const QString& text);

    QPlainTextEdit* Text1;
};
