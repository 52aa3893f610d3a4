#pragma once

#include <QDateEdit>

// Qt's plain date field in the place of the library's date picker when that cannot be loaded,
// with the picker's Value (a date serial) and Change signal, so that a schedule still fires.
class FallbackDatePicker final : public QDateEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    explicit FallbackDatePicker(QWidget* parent = nullptr);

    int value() const;
    void setValue(int serial);

Q_SIGNALS:
    void Change();
};
