#pragma once

#include <QWidget>

class Dialogs;
class QLineEdit;
class QPushButton;

// A folder chooser: the folder's path in an editable field and a button that asks for a
// folder. Its value is the path text.
class FolderChooser final : public QWidget {
    Q_OBJECT
public:
    FolderChooser(Dialogs& dialogs, QString dialogTitle, QWidget* parent = nullptr);

    QString path() const;
    void setPath(const QString& path);

    QLineEdit* pathField() const { return m_field; }
    QPushButton* browseButton() const { return m_browse; }

Q_SIGNALS:
    void pathChanged(const QString& path);

private:
    void browse();

    Dialogs& m_dialogs;
    QString m_dialogTitle;
    QLineEdit* m_field;
    QPushButton* m_browse;
};
