#include "ui/dialogs.h"

#include "ui/services.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace roomwright {

namespace {

// Runs a modal box and frees it, unless its parent took it along while it was up.
QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                   const QString& text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton byDefault = QMessageBox::NoButton) {
    const QPointer<QMessageBox> box = new QMessageBox(icon, title, text, buttons, parent);
    if (byDefault != QMessageBox::NoButton) {
        box->setDefaultButton(byDefault);
    }
    const int answer = box->exec();
    delete box.data();
    return static_cast<QMessageBox::StandardButton>(answer);
}

} // namespace

void Dialogs::inform(QWidget* parent, const QString& title, const QString& text) {
    const DeskWindow::Hold hold(parent);
    showMessage(parent, title, text);
}

bool Dialogs::ask(QWidget* parent, const QString& title, const QString& text, Answer byDefault) {
    const DeskWindow::Hold hold(parent);
    return showQuestion(parent, title, text, byDefault);
}

QString Dialogs::chooseFolder(QWidget* parent, const QString& title) {
    const DeskWindow::Hold hold(parent);
    return showFolderPicker(parent, title);
}

QString Dialogs::chooseFile(QWidget* parent, const QString& title, const QString& filter) {
    const DeskWindow::Hold hold(parent);
    return showFilePicker(parent, title, filter);
}

void MessageBoxDialogs::showMessage(QWidget* parent, const QString& title, const QString& text) {
    runBox(parent, title == kAttention ? QMessageBox::Warning : QMessageBox::Information, title,
           text, QMessageBox::Ok);
}

bool MessageBoxDialogs::showQuestion(QWidget* parent, const QString& title, const QString& text,
                                     Answer byDefault) {
    return runBox(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  byDefault == Answer::No ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}

QString MessageBoxDialogs::showFolderPicker(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title);
}

QString MessageBoxDialogs::showFilePicker(QWidget* parent, const QString& title,
                                          const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

void tellFailure(Dialogs& dialogs, QWidget* parent, const char* what) {
    dialogs.inform(parent, kAttention, QString::fromUtf8(what));
}

} // namespace roomwright
