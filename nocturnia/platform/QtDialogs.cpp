#include "platform/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

void QtDialogs::information(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

void QtDialogs::warning(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter) {
    // A filter shows as its description alone, which may name its patterns in its own words.
    return QFileDialog::getOpenFileName(parent, title, QString(), filter, nullptr,
                                        QFileDialog::HideNameFilterDetails);
}

QString QtDialogs::existingFolder(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}
