#include "platform/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

QtPrompts::QtPrompts(QWidget* parent) : m_parent(parent) {}

int QtPrompts::MessageBox(const QString& text, unsigned flags, const QString& detail) {
    QMessageBox box(m_parent);
    box.setWindowTitle(QApplication::applicationName());
    box.setText(text);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
    }
    if (flags & kIconError) {
        box.setIcon(QMessageBox::Critical);
    } else if (flags & kIconInformation) {
        box.setIcon(QMessageBox::Information);
    }
    if (flags & kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? kIdYes : kIdNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kIdOk;
}

std::optional<QString> QtPrompts::OpenFile(const QString& title, const QString& filter,
                                           const QString& folder) {
    const QString file = QFileDialog::getOpenFileName(m_parent, title, folder, filter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}
