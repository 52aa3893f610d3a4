#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down control bound to a text box: its arrows step the value within its limits and
// write it into the text box; a whole number typed into the text box within the limits
// becomes its value.
class UpDown final : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit& buddy, int value, int minimum, int maximum, int increment,
           QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int increment() const { return m_increment; }
    // A value beyond a new limit is brought within it; the text box is left as it is.
    void setMaximum(int maximum);

    void stepUp();
    void stepDown();

    QToolButton* up() const { return m_up; }
    QToolButton* down() const { return m_down; }

private:
    void step(int by);
    void takeFromBuddy(const QString& text);

    QLineEdit& m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_value;
    int m_min;
    int m_max;
    int m_increment;
};
