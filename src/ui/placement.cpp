#include "ui/placement.h"

#include <QGuiApplication>
#include <QLabel>
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

void nameControl(QWidget* control, const char* objectName, const QString& accessibleName) {
    control->setObjectName(QString::fromLatin1(objectName));
    QString name = accessibleName;
    name.remove(QLatin1Char('&'));
    control->setAccessibleName(name);
}

void labelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    control->setAccessibleName(name);
}

} // namespace roomwright
