#include "shell/FallbackDatePicker.h"

#include "conventions/DateSerial.h"

FallbackDatePicker::FallbackDatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setCalendarPopup(true);
    connect(this, &QDateEdit::dateChanged, this, &FallbackDatePicker::Change);
}

int FallbackDatePicker::value() const {
    return conv::toDateSerial(date());
}

void FallbackDatePicker::setValue(int serial) {
    setDate(conv::fromDateSerial(serial));
}
