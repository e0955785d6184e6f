#include "frontdesk/guest_boxes.h"

#include "store/cards.h"
#include "ui/controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace roomwright {

// The card number box of a window that shows stored numbers masked.
class CardNumberMask : public QObject {
  public:
    CardNumberMask(QLineEdit* box, QPushButton* showButton)
        : QObject(box), box_(box), showButton_(showButton) {
        showButton_->setEnabled(false);
        connect(showButton_, &QPushButton::clicked, this, [this] { reveal(); });
        connect(box_, &QLineEdit::textEdited, this, [this](const QString& text) { typed(text); });
    }

    // Shows a stored number as its mask.
    void showStored(const QString& number) {
        number_ = number;
        mask_ = QString::fromStdString(maskedCardNumber(number.toStdString()));
        box_->setText(mask_);
        hiding_ = mask_.startsWith(QString::fromUtf8(kCardMask.data(), kCardMask.size()));
        showButton_->setEnabled(hiding_);
    }
    // Nothing stored, nothing hidden.
    void forget() {
        number_.clear();
        stopHiding();
    }

  private:
    void reveal() {
        box_->setText(number_);
        stopHiding();
    }
    // What is typed over the mask replaces the number: the box keeps only the characters
    // the clerk put in (the mask's own ones before and after them go).
    void typed(const QString& text) {
        if (!hiding_) {
            return;
        }
        qsizetype before = 0;
        while (before < text.size() && before < mask_.size() && text[before] == mask_[before]) {
            ++before;
        }
        qsizetype after = 0;
        while (after < text.size() - before && after < mask_.size() - before &&
               text[text.size() - 1 - after] == mask_[mask_.size() - 1 - after]) {
            ++after;
        }
        box_->setText(text.mid(before, text.size() - before - after));
        stopHiding();
    }
    void stopHiding() {
        hiding_ = false;
        showButton_->setEnabled(false);
    }

    QLineEdit* box_;
    QPushButton* showButton_;
    QString number_;
    QString mask_;
    bool hiding_ = false;
};

namespace {

// The places in box order of the state and the expiry month and year, the details a window
// may show in lists.
constexpr std::size_t kState = 4;
constexpr std::size_t kExpireMonth = 15;
constexpr std::size_t kExpireYear = 16;
// The guest's boxes, last name to children; the card's follow them.
constexpr std::size_t kGuestFrameBoxes = 14;

constexpr std::array<const char*, 4> kCardLetters = {"V", "M", "D", "A"};

// Where a box stands in its grid: its caption in `column`, the box beside it.
struct Place {
    int row;
    int column;
    int span;
};
// Where each of the guest's boxes stands in the two grids.
struct Places {
    Place registration;
    Place folio;
};
constexpr std::array<Places, kGuestFrameBoxes> kPlaces = {{
    {{0, 0, 1}, {0, 0, 1}}, // last
    {{0, 2, 1}, {0, 2, 1}}, // first
    {{1, 0, 3}, {1, 0, 3}}, // address
    {{2, 0, 1}, {2, 0, 1}}, // city
    {{2, 2, 1}, {2, 2, 1}}, // state
    {{3, 0, 1}, {3, 0, 1}}, // zip
    {{4, 0, 1}, {3, 2, 1}}, // phone
    {{4, 2, 1}, {4, 0, 1}}, // cell
    {{5, 0, 1}, {4, 2, 1}}, // company
    {{5, 2, 1}, {5, 0, 3}}, // email
    {{6, 0, 1}, {6, 0, 1}}, // driver's licence
    {{7, 0, 3}, {6, 2, 1}}, // comment
    {{8, 0, 1}, {7, 0, 1}}, // adults
    {{8, 2, 1}, {7, 2, 1}}, // children
}};
// The captions of the guest's boxes; the driver's licence's is the form's.
constexpr std::array<const char*, kGuestFrameBoxes> kCaptions = {
    "Last", "First",   "Address", "City",  "State",   "Zip",    "Phone",
    "Cell", "Company", "Email",   nullptr, "Comment", "Adults", "Children"};
constexpr std::size_t kDriversLicense = 10;

// The card options in a row over the grid's first line.
void addOptionRow(QGridLayout* grid, const GuestBoxes& boxes, int columns) {
    auto* row = new QHBoxLayout;
    for (QRadioButton* option : boxes.cardOptions()) {
        row->addWidget(option);
    }
    row->addStretch();
    grid->addLayout(row, 0, 0, 1, columns);
}

void placeGuestBoxes(const GuestBoxes& boxes, const GuestBoxesForm& form) {
    const bool registration = form.guestGrid == GuestGrid::Registration;
    auto* grid = new QGridLayout(boxes.guestFrame);
    for (std::size_t box = 0; box < kGuestFrameBoxes; ++box) {
        const Place& place = registration ? kPlaces[box].registration : kPlaces[box].folio;
        const char* caption = box == kDriversLicense ? form.driversLicenseCaption : kCaptions[box];
        addCaptioned(grid, place.row, place.column, QString::fromUtf8(caption), boxes.controls[box],
                     place.span);
    }
    if (registration) {
        grid->setRowStretch(kPlaces.back().registration.row + 1, 1);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
    }
    switch (form.widths) {
    case BoxWidths::Grid:
        break;
    case BoxWidths::ForTyping: {
        const int character = boxes.guestFrame->fontMetrics().averageCharWidth();
        for (QLineEdit* wide : {boxes.lastName, boxes.firstName, boxes.city, boxes.phone,
                                boxes.cell, boxes.company, boxes.email, boxes.driversLicense}) {
            wide->setMinimumWidth(character * 16);
        }
        for (QLineEdit* narrow : {boxes.zip, boxes.adults, boxes.children}) {
            narrow->setMinimumWidth(character * 8);
        }
        break;
    }
    case BoxWidths::NarrowCounts:
        for (QLineEdit* count : {boxes.adults, boxes.children}) {
            count->setMaximumWidth(90);
            grid->setAlignment(count, Qt::AlignLeft);
        }
        break;
    }
}

void placeCardBoxes(const GuestBoxes& boxes, const GuestBoxesForm& form) {
    QWidget* number = boxes.controls[kCardNumberBox];
    QWidget* month = boxes.controls[kExpireMonth];
    QWidget* year = boxes.controls[kExpireYear];
    const QString monthCaption = QString::fromStdString(kExpireMonthPrompt);
    const QString yearCaption = QString::fromStdString(kExpireYearPrompt);
    auto* grid = new QGridLayout(boxes.cardFrame);
    switch (form.cardGrid) {
    case CardGrid::Stacked: {
        grid->addWidget(boxes.visa, 0, 0);
        grid->addWidget(boxes.masterCard, 0, 1);
        grid->addWidget(boxes.discover, 1, 0);
        grid->addWidget(boxes.americanExpress, 1, 1);
        addCaptioned(grid, 2, 0, QStringLiteral("Card #"), number);
        grid->addWidget(makeCaption(boxes.cardFrame, QStringLiteral("Expire"), month), 3, 0);
        auto* expiry = new QHBoxLayout;
        expiry->addWidget(month, 1);
        expiry->addWidget(year);
        grid->addLayout(expiry, 3, 1);
        // One caption stands beside both: each is named by its own prompt.
        captionControl(month, monthCaption);
        captionControl(year, yearCaption);
        break;
    }
    case CardGrid::OneLine:
        addOptionRow(grid, boxes, 6);
        addCaptioned(grid, 1, 0, QStringLiteral("Card #"), number);
        addCaptioned(grid, 1, 2, monthCaption, month);
        addCaptioned(grid, 1, 4, yearCaption, year);
        // The card number takes the room left; the captions keep their whole width.
        number->setMinimumWidth(
            number->fontMetrics().horizontalAdvance(QStringLiteral("0000 0000 0000 0000")) + 12);
        month->setMaximumWidth(90);
        year->setMaximumWidth(70);
        grid->setColumnStretch(1, 1);
        break;
    case CardGrid::TwoLines:
        addOptionRow(grid, boxes, 4);
        addCaptioned(grid, 1, 0, QStringLiteral("Card #"), number);
        addCaptioned(grid, 2, 0, monthCaption, month);
        addCaptioned(grid, 2, 2, yearCaption, year);
        break;
    }
    if (boxes.showCardButton != nullptr) {
        // "Show" stands right beside the number, in the grid's place of it.
        int row = 0;
        int column = 0;
        int rows = 0;
        int columns = 0;
        grid->getItemPosition(grid->indexOf(number), &row, &column, &rows, &columns);
        grid->removeWidget(number);
        // Wide enough for the whole mask, so that the last four digits are in view.
        const QString mask =
            QString::fromUtf8(kCardMask.data(), kCardMask.size()) + QStringLiteral("0000");
        number->setMinimumWidth(
            std::max(number->minimumWidth(), number->fontMetrics().horizontalAdvance(mask) + 12));
        auto* line = new QHBoxLayout;
        line->addWidget(number, 1);
        line->addWidget(boxes.showCardButton);
        grid->addLayout(line, row, column, rows, columns);
    }
}

} // namespace

GuestBoxes makeGuestBoxes(QWidget* parent, const GuestBoxesForm& form) {
    GuestBoxes boxes{};
    boxes.lists = form.lists;
    std::array<int, kGuestBoxCount> widths{};
    if (form.fieldWidths) {
        const PersonFields fields;
        forEachBox(fields, [&](std::size_t box, const auto& field) { widths[box] = field.width; });
    }
    const std::array<std::string, kGuestBoxCount> prompts = [] {
        std::array<std::string, kGuestBoxCount> listed;
        listed[kState] = kStatePrompt;
        listed[kExpireMonth] = kExpireMonthPrompt;
        listed[kExpireYear] = kExpireYearPrompt;
        return listed;
    }();
    // Created in box order, which is the tab order.
    const auto control = [&](QWidget* frame, std::size_t box) -> QWidget* {
        const char* name = form.names[box];
        if (form.lists != GuestLists::Boxes && !prompts[box].empty()) {
            const QString prompt = QString::fromStdString(prompts[box]);
            return form.lists == GuestLists::Typed ? makeTypedList(frame, name, prompt)
                                                   : makePickList(frame, name, prompt);
        }
        QLineEdit* text = makeTextBox(frame, name, nullptr, widths[box]);
        text->setReadOnly(form.readOnly);
        return text;
    };
    boxes.guestFrame = new QGroupBox(QString::fromUtf8(form.guestCaption), parent);
    for (std::size_t box = 0; box < kGuestFrameBoxes; ++box) {
        boxes.controls[box] = control(boxes.guestFrame, box);
    }
    boxes.cardFrame = new QGroupBox(QString::fromUtf8(form.cardCaption), parent);
    QWidget* card = boxes.cardFrame;
    boxes.visa = makeCaptioned<QRadioButton>(card, "Option1", QStringLiteral("Visa"));
    boxes.masterCard = makeCaptioned<QRadioButton>(card, "Option2", QStringLiteral("Master Card"));
    boxes.discover = makeCaptioned<QRadioButton>(card, "Option3", QStringLiteral("Discover"));
    boxes.americanExpress =
        makeCaptioned<QRadioButton>(card, "Option4", QStringLiteral("American Express"));
    boxes.cards = new QButtonGroup(card);
    for (QRadioButton* option : boxes.cardOptions()) {
        boxes.cards->addButton(option);
    }
    for (std::size_t box = kGuestFrameBoxes; box < kGuestBoxCount; ++box) {
        boxes.controls[box] = control(card, box);
        if (box == kCardNumberBox && form.maskedCard) {
            boxes.showCardButton = makeButton(card, "ShowCard", QStringLiteral("Show"));
            boxes.showCardButton->setAccessibleDescription(
                QStringLiteral("Shows the whole card number"));
        }
    }

    const auto box = [&](std::size_t place) {
        return qobject_cast<QLineEdit*>(boxes.controls[place]);
    };
    const auto list = [&](std::size_t place) {
        return qobject_cast<QComboBox*>(boxes.controls[place]);
    };
    boxes.lastName = box(0);
    boxes.firstName = box(1);
    boxes.address = box(2);
    boxes.city = box(3);
    boxes.state = list(kState);
    boxes.zip = box(5);
    boxes.phone = box(6);
    boxes.cell = box(7);
    boxes.company = box(8);
    boxes.email = box(9);
    boxes.driversLicense = box(10);
    boxes.comment = box(11);
    boxes.adults = box(12);
    boxes.children = box(13);
    boxes.cardNumber = box(kCardNumberBox);
    boxes.expireMonth = list(kExpireMonth);
    boxes.expireYear = list(kExpireYear);
    if (boxes.showCardButton != nullptr) {
        boxes.cardMask = new CardNumberMask(boxes.cardNumber, boxes.showCardButton);
    }
    if (boxes.state != nullptr) {
        fillStates(boxes.state);
        fillMonths(boxes.expireMonth);
        fillCardYears(boxes.expireYear);
    }

    placeGuestBoxes(boxes, form);
    placeCardBoxes(boxes, form);
    return boxes;
}

std::array<QLineEdit*, kGuestBoxCount> GuestBoxes::boxes() const {
    std::array<QLineEdit*, kGuestBoxCount> found{};
    std::ranges::transform(controls, found.begin(),
                           [](QWidget* control) { return qobject_cast<QLineEdit*>(control); });
    return found;
}

std::array<QRadioButton*, 4> GuestBoxes::cardOptions() const {
    return {visa, masterCard, discover, americanExpress};
}

std::string GuestBoxes::cardType() const {
    const auto options = cardOptions();
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked()) {
            return kCardLetters[i];
        }
    }
    return {};
}

GuestBoxTexts GuestBoxes::texts() const {
    GuestBoxTexts texts;
    for (std::size_t i = 0; i < kGuestBoxCount; ++i) {
        if (const auto* text = qobject_cast<const QLineEdit*>(controls[i])) {
            texts[i] = text->text().toStdString();
        } else {
            const auto* list = static_cast<const QComboBox*>(controls[i]);
            texts[i] = lists == GuestLists::PickedOrEmpty ? chosenText(list) : shownText(list);
        }
    }
    return texts;
}

GuestDetails GuestBoxes::details() const {
    const GuestBoxTexts t = texts();
    return GuestDetails{.lastName = t[0],
                        .firstName = t[1],
                        .address = t[2],
                        .city = t[3],
                        .state = t[kState],
                        .zip = t[5],
                        .phone = t[6],
                        .cell = t[7],
                        .company = t[8],
                        .email = t[9],
                        .driversLicense = t[10],
                        .comment = t[11],
                        .adults = t[12],
                        .children = t[13],
                        .cardType = cardType(),
                        .cardNumber = t[kCardNumberBox],
                        .cardExpireMonth = t[kExpireMonth],
                        .cardExpireYear = t[kExpireYear]};
}

void GuestBoxes::show(const GuestBoxTexts& texts, const std::string& cardLetter) {
    for (std::size_t i = 0; i < kGuestBoxCount; ++i) {
        const QString text = onScreen(texts[i]);
        if (i == kCardNumberBox && cardMask != nullptr) {
            cardMask->showStored(text);
        } else if (auto* box = qobject_cast<QLineEdit*>(controls[i])) {
            box->setText(text);
        } else if (auto* list = static_cast<QComboBox*>(controls[i]); list->isEditable()) {
            list->setEditText(text);
        } else {
            list->setCurrentIndex(list->findText(text));
        }
    }
    showCardType(cardLetter);
}

void GuestBoxes::showCardType(const std::string& letter) {
    cards->setExclusive(false);
    const auto options = cardOptions();
    for (std::size_t i = 0; i < options.size(); ++i) {
        options[i]->setChecked(letter == kCardLetters[i]);
    }
    cards->setExclusive(true);
}

void GuestBoxes::clear() {
    if (cardMask != nullptr) {
        cardMask->forget();
    }
    for (QWidget* control : controls) {
        if (auto* box = qobject_cast<QLineEdit*>(control)) {
            box->clear();
        } else {
            static_cast<QComboBox*>(control)->setCurrentIndex(-1);
        }
    }
    showCardType({});
}

} // namespace roomwright
