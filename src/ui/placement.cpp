#include "ui/placement.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace roomwright {

int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

void placeAt(QWidget* window, int topTwips, int leftTwips) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    window->move(origin + QPoint(twipsToPixels(leftTwips, dpi), twipsToPixels(topTwips, dpi)));
}

void captionControl(QWidget* control, QString caption) {
    caption.remove(QLatin1Char('&'));
    control->setAccessibleName(caption);
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(caption);
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
