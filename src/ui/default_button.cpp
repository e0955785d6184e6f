#include "ui/default_button.h"

#include "ui/services.h"

#include <QPushButton>

namespace roomwright {

void makeDefaultButton(DeskWindow* window, QPushButton* button) {
    button->setDefault(true);
    window->setDefaultButton(button);
}

} // namespace roomwright
