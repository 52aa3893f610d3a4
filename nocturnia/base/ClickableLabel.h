#pragma once

#include <QLabel>

// A label used as a link or hot spot: a left click on it raises clicked().
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
