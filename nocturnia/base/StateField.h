#pragma once

#include <QObject>
#include <QString>

// A hidden field of a window: a string the handlers use as a flag or a mailbox, with a
// notification when it changes (the change handler of a hidden text box).
class StateField final : public QObject {
    Q_OBJECT
public:
    explicit StateField(QString designValue, QObject* parent = nullptr);

    const QString& text() const { return m_text; }
    // Writing the text it already holds notifies nobody, like a text box.
    void setText(const QString& text);
    // The platform's numeric reading of the text: non-numbers read as 0.
    double number() const;

Q_SIGNALS:
    void changed(const QString& text);

private:
    QString m_text;
};
