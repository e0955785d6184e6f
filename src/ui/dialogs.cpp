#include "ui/dialogs.h"

#include <QMessageBox>

namespace roomwright {

void MessageBoxDialogs::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

bool MessageBoxDialogs::ask(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void tellFailure(Dialogs& dialogs, QWidget* parent, const char* what) {
    dialogs.inform(parent, kAttention, QString::fromUtf8(what));
}

} // namespace roomwright
