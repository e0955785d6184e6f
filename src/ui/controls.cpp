#include "ui/controls.h"

#include "ui/placement.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace roomwright {

namespace {

const char* const kStates[] = {
    "Alabama",       "Alaska",      "Arizona",        "Arkansas",      "California",
    "Colorado",      "Connecticut", "Delaware",       "Florida",       "Georgia",
    "Hawaii",        "Idaho",       "Illinois",       "Indiana",       "Iowa",
    "Kansas",        "Kentucky",    "Louisiana",      "Maine",         "Maryland",
    "Massachusetts", "Michigan",    "Minnesota",      "Mississippi",   "Missouri",
    "Montana",       "Nebraska",    "Nevada",         "New Hampshire", "New Jersey",
    "New Mexico",    "New York",    "North Carolina", "North Dakota",  "Ohio",
    "Oklahoma",      "Oregon",      "Pennsylvania",   "Rhode Island",  "South Carolina",
    "South Dakota",  "Tennessee",   "Texas",          "Utah",          "Vermont",
    "Virginia",      "Washington",  "West Virginia",  "Wisconsin",     "Wyoming"};

const char* const kMonths[] = {"January",   "Febuary", "March",    "April",
                               "May",       "June",    "July",     "August",
                               "September", "October", "November", "December"};

template <std::size_t N> void fillFixed(QComboBox* list, const char* const (&entries)[N]) {
    list->clear();
    for (const char* entry : entries) {
        list->addItem(QString::fromLatin1(entry));
    }
    list->setCurrentIndex(-1);
}

} // namespace

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    nameControl(button, name, caption);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* makeValueLabel(QWidget* parent, const char* name) {
    auto* label = makeLabel(parent, name, QString());
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* control) {
    auto* label = new QLabel(text, parent);
    labelControl(label, control);
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, QLabel* label, int maxLength) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    if (label != nullptr) {
        labelControl(label, box);
    }
    if (maxLength > 0) {
        box->setMaxLength(maxLength);
    }
    return box;
}

QComboBox* makePickList(QWidget* parent, const char* name, const QString& prompt) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setPlaceholderText(prompt);
    combo->setCurrentIndex(-1);
    return combo;
}

QComboBox* makeEditableCombo(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    nameControl(combo, name, accessibleName);
    return combo;
}

QComboBox* makeRoomChoice(QWidget* parent, const char* name) {
    const QString prompt = QStringLiteral("Select Room");
    auto* combo = makePickList(parent, name, prompt);
    combo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    nameControl(combo, name, prompt);
    return combo;
}

QListWidget* makeRoomList(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* list = new QListWidget(parent);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    nameControl(list, name, accessibleName);
    return list;
}

QHBoxLayout* makeButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
    return row;
}

void fillStates(QComboBox* list) {
    fillFixed(list, kStates);
}

void fillMonths(QComboBox* list) {
    fillFixed(list, kMonths);
}

void fillCardYears(QComboBox* list) {
    list->clear();
    for (int year = 2015; year <= 2030; ++year) {
        list->addItem(QString::number(year));
    }
    list->setCurrentIndex(-1);
}

void fillList(QComboBox* list, const std::vector<std::string>& entries) {
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(QString::fromStdString(entry));
    }
    list->setCurrentIndex(-1);
}

void focusField(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(field)) {
        box->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->selectAll();
    }
}

} // namespace roomwright
