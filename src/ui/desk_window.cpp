#include "ui/services.h"

#include "ui/placement.h"

#include <QKeyEvent>
#include <QPushButton>

namespace roomwright {

namespace {

// The first control of the window that Tab would reach.
QWidget* firstControl(QWidget* window) {
    for (QWidget* widget = window->nextInFocusChain(); widget != window;
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            widget->isVisibleTo(window) && widget->window() == window) {
            return widget;
        }
    }
    return nullptr;
}

bool isReturn(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

void DeskWindow::loadAndFocus() {
    load();
    if (closing_) {
        return;
    }
    raise();
    activateWindow();
    if (focusWidget() == nullptr) {
        if (QWidget* first = firstControl(this)) {
            first->setFocus(Qt::TabFocusReason);
        }
    }
}

void DeskWindow::setDefaultButton(QPushButton* button) {
    defaultButton_ = button;
}

bool DeskWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Close && event->isAccepted()) {
        closing_ = true;
        deleteWhenFree();
    }
    return handled;
}

// A push button that is not a dialog's takes no Return of its own; it reaches the window.
void DeskWindow::keyPressEvent(QKeyEvent* event) {
    if (isReturn(event)) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* target = focused != nullptr ? focused : defaultButton_.data();
        if (target != nullptr && target->isVisible() && target->isEnabled()) {
            target->click();
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

QSize DeskWindow::sizeHint() const {
    return QWidget::sizeHint().boundedTo(roomOnScreen(this));
}

void DeskWindow::showEvent(QShowEvent* event) {
    keepOnScreen(this);
    QWidget::showEvent(event);
}

void DeskWindow::deleteWhenFree() {
    if (closing_ && holds_ == 0 && !deleting_) {
        deleting_ = true;
        deleteLater();
    }
}

DeskWindow::Hold::Hold(QWidget* widget)
    : window_(dynamic_cast<DeskWindow*>(widget != nullptr ? widget->window() : nullptr)) {
    if (window_) {
        ++window_->holds_;
    }
}

DeskWindow::Hold::~Hold() {
    if (window_) {
        --window_->holds_;
        window_->deleteWhenFree();
    }
}

} // namespace roomwright
