#pragma once

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace roomwright::testing {

// What a clerk does with the mouse and the keyboard.

// Clicks a button; a check box or an option button on its box, where its caption begins.
inline void click(QAbstractButton* button) {
    if (qobject_cast<QCheckBox*>(button) != nullptr ||
        qobject_cast<QRadioButton*>(button) != nullptr) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

// Lets the windows that closed go, as the event loop does between two clicks of the clerk.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Empties a text box and types into it.
inline void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Empties an editable combo's text and types into it.
inline void type(QComboBox* combo, const QString& text) {
    ASSERT_TRUE(combo->isEditable());
    type(combo->lineEdit(), text);
}

// Opens the combo's list and clicks the entry.
inline void pick(QComboBox* combo, const QString& entry) {
    const int index = combo->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(view->isVisible());
    const QModelIndex item = view->model()->index(index, combo->modelColumn(), view->rootIndex());
    // In the middle of the list, clear of the arrows a long list has at its ends.
    view->scrollTo(item, QAbstractItemView::PositionAtCenter);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
}

// The lines of a list box, in order.
inline QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) {
        lines << list->item(i)->text();
    }
    return lines;
}

// Makes the window the active one, as a clerk's click on it does, so that its keys work.
inline void activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// The control that has the window's focus (an editable combo's text part counts as the
// combo).
inline QWidget* focusedControl(QWidget* window) {
    QWidget* focused = window->focusWidget();
    if (focused == nullptr) {
        return nullptr;
    }
    if (auto* combo = qobject_cast<QComboBox*>(focused->parentWidget());
        combo != nullptr && combo->lineEdit() == focused) {
        return combo;
    }
    return focused;
}

// The object names of the controls that Tab visits, in order, from the first one (an
// editable combo's text part counts as the combo).
inline QStringList tabOrder(QWidget* window, QWidget* first, int count) {
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget* focused = window->focusWidget();
        if (focused == nullptr) {
            break;
        }
        names << focusedControl(window)->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return names;
}

} // namespace roomwright::testing
