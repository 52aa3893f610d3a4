#include "base/FolderChooser.h"

#include "base/Dialogs.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

FolderChooser::FolderChooser(Dialogs& dialogs, QString dialogTitle, QWidget* parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_dialogTitle(std::move(dialogTitle))
    , m_field(new QLineEdit(this))
    , m_browse(new QPushButton(tr("Browse..."), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_browse);
    // A screen reader names the field by the folder it holds: what the dialog asks for.
    m_field->setAccessibleName(m_dialogTitle);
    connect(m_field, &QLineEdit::textChanged, this, &FolderChooser::pathChanged);
    connect(m_browse, &QPushButton::clicked, this, &FolderChooser::browse);
}

QString FolderChooser::path() const {
    return m_field->text();
}

void FolderChooser::setPath(const QString& path) {
    m_field->setText(path);
}

void FolderChooser::browse() {
    const QString chosen = m_dialogs.existingFolder(window(), m_dialogTitle, path());
    if (!chosen.isEmpty())
        setPath(chosen);
}
