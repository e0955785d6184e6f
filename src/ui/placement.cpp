#include "ui/placement.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace roomwright {

int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

namespace {

const QScreen* screenOf(const QWidget* window) {
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

QSize frameSize(const QWidget* window) {
    return window->frameGeometry().size() - window->size();
}

// The frame the window system puts around the window; before it has put one, the frame of
// another window it shows, or else a title bar and a border of a few pixels.
QSize frameOf(const QWidget* window) {
    if (!frameSize(window).isNull()) {
        return frameSize(window);
    }
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other->isVisible() && !frameSize(other).isNull()) {
            return frameSize(other);
        }
    }
    const int border = 4;
    return QSize(2 * border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
}

} // namespace

QSize roomOnScreen(const QWidget* window) {
    const QScreen* screen = screenOf(window);
    return screen ? screen->availableGeometry().size() - frameOf(window)
                  : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void placeAt(QWidget* window, int topTwips, int leftTwips) {
    const QScreen* screen = screenOf(window);
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    window->move(origin + QPoint(twipsToPixels(leftTwips, dpi), twipsToPixels(topTwips, dpi)));
    keepOnScreen(window);
}

void keepOnScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        return;
    }
    // As the window would open: at the size it asks for (Qt's own first size would take no
    // more than two thirds of the screen).
    if (!window->testAttribute(Qt::WA_Resized)) {
        window->resize(window->sizeHint());
    }
    const QRect area = screen->availableGeometry();
    window->resize(
        window->size().boundedTo(roomOnScreen(window)).expandedTo(window->minimumSize()));
    const QSize outer = window->size() + frameOf(window);
    const int x = std::clamp(window->x(), area.left(),
                             std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(window->y(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - outer.height()));
    window->move(x, y);
}

void captionControl(QWidget* control, QString caption) {
    caption.remove(QLatin1Char('&'));
    control->setAccessibleName(caption);
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(caption);
    }
    // A calendar's keyboard stands in its grid of days.
    if (QWidget* keys = control->focusProxy()) {
        keys->setAccessibleName(caption);
    }
}

void nameControl(QWidget* control, const char* objectName, const QString& accessibleName) {
    control->setObjectName(QString::fromLatin1(objectName));
    captionControl(control, accessibleName);
}

void labelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    captionControl(control, label->text());
}

} // namespace roomwright
