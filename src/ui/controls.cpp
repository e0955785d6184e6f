#include "ui/controls.h"

#include "ui/placement.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace roomwright {

namespace {

const char* const kValueLabel = "roomwright_valueLabel";

// A value label to a screen reader: named by its caption, valued by its text.
class ValueLabelAccessible : public QAccessibleWidget {
  public:
    explicit ValueLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Value:
        case QAccessible::Description:
            return static_cast<QLabel*>(widget())->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

// An editable combo box to a screen reader. Qt names a combo by what it shows, which loses
// its caption (a blank edit text reads as " "): here the caption stays its name, what it
// shows is its value, and its list and text part stay its children.
class EditableComboAccessible : public QAccessibleWidget {
  public:
    explicit EditableComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return combo()->currentText();
        }
        if (t == QAccessible::Name && !combo()->accessibleName().isEmpty()) {
            return combo()->accessibleName();
        }
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return QAccessible::queryAccessibleInterface(combo()->view());
        }
        return index == 1 ? QAccessible::queryAccessibleInterface(combo()->lineEdit()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() == combo()->view()) {
            return 0;
        }
        return child->object() == combo()->lineEdit() ? 1 : -1;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.expandable = true;
        state.expanded = combo()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            combo()->showPopup();
        }
    }

  private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel") && object->property(kValueLabel).toBool()) {
        return new ValueLabelAccessible(static_cast<QLabel*>(object));
    }
    if (className == QLatin1String("QComboBox")) {
        auto* combo = static_cast<QComboBox*>(object);
        if (combo->isEditable()) {
            return new EditableComboAccessible(combo);
        }
    }
    return nullptr;
}

// Before any control is read by a screen reader.
void readValuesAloud() {
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    (void)installed;
}

// A scroll area that asks for the whole of its content, is as narrow as its content allows and
// no lower than a few lines, and scrolls whatever control takes the focus into view.
class ScrollingArea : public QScrollArea {
  public:
    explicit ScrollingArea(QWidget* parent) : QScrollArea(parent) {
        // Tab goes to the controls inside, never to the area itself.
        setFocusPolicy(Qt::NoFocus);
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now != nullptr && widget() != nullptr && widget()->isAncestorOf(now)) {
                ensureWidgetVisible(now);
            }
        });
    }

    QSize sizeHint() const override { return withScrollBars(widget()->sizeHint()); }
    QSize minimumSizeHint() const override {
        return withScrollBars(
            QSize(widget()->minimumSizeHint().width(), fontMetrics().lineSpacing() * kLeastLines));
    }

  private:
    static constexpr int kLeastLines = 4;

    // The size with room for both scroll bars, which come when it is made smaller.
    QSize withScrollBars(QSize size) const {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        return size + QSize(bar, bar);
    }
};

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

QLabel* makeValueLabel(QWidget* parent, const char* name, const QString& caption) {
    readValuesAloud();
    auto* label = makeLabel(parent, name, QString());
    // What the files hold is shown as it is: a "<" in a name is no markup.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setProperty(kValueLabel, true);
    label->setAccessibleName(caption);
    return label;
}

QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* control) {
    auto* label = new QLabel(text, parent);
    labelControl(label, control);
    return label;
}

void addCaptioned(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control,
                  int span) {
    grid->addWidget(makeCaption(grid->parentWidget(), caption, control), row, column);
    grid->addWidget(control, row, column + 1, 1, span);
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
    readValuesAloud();
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    nameControl(combo, name, accessibleName);
    return combo;
}

QComboBox* makeTypedList(QWidget* parent, const char* name, const QString& prompt) {
    QComboBox* list = makeEditableCombo(parent, name, prompt);
    list->lineEdit()->setPlaceholderText(prompt);
    return list;
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

QLabel* makeListHeader(QListWidget* list, const QString& captions) {
    auto* header = new QLabel(captions, list->parentWidget());
    header->setFont(list->font());
    header->setTextFormat(Qt::PlainText);
    const int indent = list->frameWidth() +
                       list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    header->setContentsMargins(indent, 0, 0, 0);
    return header;
}

QScrollArea* makeScrollingArea(QWidget* window, QLayout* content) {
    auto* area = new ScrollingArea(window);
    auto* inside = new QWidget(area);
    content->setContentsMargins(0, 0, 0, 0);
    inside->setLayout(content);
    area->setWidget(inside);
    return area;
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

void fillList(QComboBox* list, const std::vector<RoomEntry>& entries) {
    list->clear();
    for (const RoomEntry& entry : entries) {
        list->addItem(onScreen(entry.text), QString::fromStdString(entry.room));
    }
    list->setCurrentIndex(-1);
}

std::optional<std::string> chosenRoom(const QComboBox* list) {
    const int index = list->currentIndex();
    if (index < 0 || list->itemText(index) != list->currentText()) {
        return std::nullopt;
    }
    return list->itemData(index).toString().toStdString();
}

std::string textOf(const QLineEdit* box) {
    return box->text().toStdString();
}

std::string shownText(const QComboBox* list) {
    if (list->isEditable() || list->currentIndex() >= 0) {
        return list->currentText().toStdString();
    }
    return list->placeholderText().toStdString();
}

std::string chosenText(const QComboBox* list) {
    return list->currentIndex() < 0 ? std::string() : list->currentText().toStdString();
}

void chainTabOrder(const std::vector<QWidget*>& controls) {
    for (std::size_t i = 1; i < controls.size(); ++i) {
        QWidget::setTabOrder(controls[i - 1], controls[i]);
    }
}

void focusField(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(field)) {
        box->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->selectAll();
    }
}

QString onScreen(std::string text) {
    std::replace(text.begin(), text.end(), '\0', ' ');
    return QString::fromStdString(text);
}

} // namespace roomwright
