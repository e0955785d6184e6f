#include "ui/default_button.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace roomwright {

void makeDefaultButton(QWidget* window, QPushButton* button) {
    button->setDefault(true);
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, [window, button] {
            auto* focused = qobject_cast<QPushButton*>(window->focusWidget());
            QPushButton* target = focused != nullptr ? focused : button;
            if (target->isVisible() && target->isEnabled()) {
                target->click();
            }
        });
    }
}

} // namespace roomwright
