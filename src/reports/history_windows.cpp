#include "reports/history_windows.h"

#include "frontdesk/folio.h"
#include "frontdesk/folio_list_box.h"
#include "reports/guest_history.h"
#include "store/lookups.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace roomwright {

namespace {

struct Box {
    const char* name;
    const char* caption;
    int row;
    int column;
};
// Text1 to Text17 in box order, and where each stands in its grid.
constexpr std::array<Box, 17> kBoxes = {{
    {"Text1", "Last", 0, 0},
    {"Text2", "First", 0, 2},
    {"Text3", "Address", 1, 0},
    {"Text4", "City", 2, 0},
    {"Text5", "State", 2, 2},
    {"Text6", "Zip", 3, 0},
    {"Text7", "Phone", 3, 2},
    {"Text8", "Cell", 4, 0},
    {"Text9", "Company", 4, 2},
    {"Text10", "Email", 5, 0},
    {"Text11", "Driver Lic.#", 6, 0},
    {"Text12", "Comment", 6, 2},
    {"Text13", "Adults", 7, 0},
    {"Text14", "Children", 7, 2},
    {"Text15", "Card #", 1, 0},
    {"Text16", "Expire Month", 2, 0},
    {"Text17", "Expire Year", 2, 2},
}};

// A stay's value beside its caption in a grid.
QLabel* addValue(QGridLayout* grid, int row, const char* name, const char* caption) {
    QWidget* parent = grid->parentWidget();
    QLabel* value = makeValueLabel(parent, name);
    value->setMinimumWidth(110);
    grid->addWidget(makeCaption(parent, QString::fromUtf8(caption), value), row, 0);
    grid->addWidget(value, row, 1);
    return value;
}

} // namespace

GuestHistoryWindow::GuestHistoryWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("History"));

    auto* guestFrame = new QGroupBox(this);
    auto* guestGrid = new QGridLayout(guestFrame);
    auto* cardFrame = new QGroupBox(QStringLiteral("Credit Card Info"), this);
    auto* cardGrid = new QGridLayout(cardFrame);
    cards_ = new QButtonGroup(this);
    const std::array<const char*, 4> cardCaptions = {"Visa", "Master Card", "Discover",
                                                     "American Express"};
    auto* optionRow = new QHBoxLayout;
    for (std::size_t i = 0; i < cardOptions.size(); ++i) {
        const std::string name = "Option" + std::to_string(i + 1);
        cardOptions[i] = makeCaptioned<QRadioButton>(cardFrame, name.c_str(),
                                                     QString::fromUtf8(cardCaptions[i]));
        cards_->addButton(cardOptions[i]);
        optionRow->addWidget(cardOptions[i]);
    }
    optionRow->addStretch();
    cardGrid->addLayout(optionRow, 0, 0, 1, 4);
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        const Box& box = kBoxes[i];
        QGridLayout* grid = i < 14 ? guestGrid : cardGrid;
        QWidget* parent = grid->parentWidget();
        auto* caption = new QLabel(QString::fromUtf8(box.caption), parent);
        guestBoxes[i] = makeTextBox(parent, box.name, caption);
        guestBoxes[i]->setReadOnly(true);
        const bool wide =
            box.name == std::string_view("Text3") || box.name == std::string_view("Text10");
        grid->addWidget(caption, box.row, box.column);
        grid->addWidget(guestBoxes[i], box.row, box.column + 1, 1, wide ? 3 : 1);
    }

    auto* stayFrame = new QGroupBox(this);
    auto* stayGrid = new QGridLayout(stayFrame);
    folioLabel = addValue(stayGrid, 0, "Label6", "Folio#");
    roomLabel = addValue(stayGrid, 1, "Label30", "Room");
    rateLabel = addValue(stayGrid, 2, "Label28", "Rate");
    arrivalDateLabel = addValue(stayGrid, 3, "Label20", "Arrival Date");
    arrivalTimeLabel = addValue(stayGrid, 4, "Label24", "Arrival Time");
    departureDateLabel = addValue(stayGrid, 5, "Label22", "Depart Date");
    departureTimeLabel = addValue(stayGrid, 6, "Label26", "Depart Time");
    stayGrid->setRowStretch(7, 1);

    folioBox_ = new FolioListBox(this);
    folioList = folioBox_->list();
    folioList->setMinimumHeight(150);

    printFolioButton = makeButton(this, "Command3", QStringLiteral("Print Folio"));
    exitButton = makeButton(this, "Command2", QStringLiteral("Exit"));
    checkAgainButton = makeButton(this, "Command1", QStringLiteral("Check Again"));
    makeDefaultButton(this, checkAgainButton);
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionButtons = new QHBoxLayout(options);
    optionButtons->addWidget(printFolioButton);
    optionButtons->addWidget(exitButton);

    auto* left = new QVBoxLayout;
    left->addWidget(guestFrame);
    left->addWidget(cardFrame);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(stayFrame, 2);
    auto* foot = new QHBoxLayout;
    foot->addWidget(checkAgainButton);
    foot->addStretch();
    foot->addWidget(options);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(folioBox_, 1);
    root->addLayout(foot);
    resize(900, 640);

    connect(printFolioButton, &QPushButton::clicked, this, &GuestHistoryWindow::printFolioClicked);
    connect(exitButton, &QPushButton::clicked, this, &GuestHistoryWindow::exitClicked);
    connect(checkAgainButton, &QPushButton::clicked, this, &GuestHistoryWindow::checkAgainClicked);
}

void GuestHistoryWindow::load() {
    show();
    clearStay();
    openLookUp();
}

void GuestHistoryWindow::openLookUp() {
    if (auto* names =
            qobject_cast<HistoryNamesWindow*>(services_.windows.open(WindowId::HistoryNames))) {
        connect(names, &HistoryNamesWindow::entryPicked, this, &GuestHistoryWindow::entryPicked,
                Qt::UniqueConnection);
    }
}

void GuestHistoryWindow::clearStay() {
    folioBox_->clear();
    for (QLineEdit* box : guestBoxes) {
        box->clear();
    }
    for (QLabel* label : {folioLabel, arrivalDateLabel, departureDateLabel, arrivalTimeLabel,
                          departureTimeLabel, rateLabel, roomLabel}) {
        label->clear();
    }
    cards_->setExclusive(false);
    for (QRadioButton* option : cardOptions) {
        option->setChecked(false);
    }
    cards_->setExclusive(true);
}

void GuestHistoryWindow::entryPicked(const QString& entry) {
    clearStay();
    guarded(services_.dialogs, this, [&] {
        const auto found = departedGuestOfEntry(services_.store, entry.toStdString());
        if (!found) {
            return;
        }
        const HistoryView view = historyView(found->second);
        for (std::size_t i = 0; i < guestBoxes.size(); ++i) {
            guestBoxes[i]->setText(onScreen(view.guest.boxes[i]));
        }
        const std::array<const char*, 4> cardCodes = {"V", "M", "D", "A"};
        for (std::size_t i = 0; i < cardCodes.size(); ++i) {
            cardOptions[i]->setChecked(view.guest.cardType == cardCodes[i]);
        }
        folioLabel->setText(onScreen(view.guest.folio));
        arrivalDateLabel->setText(onScreen(view.guest.arrivalDate));
        departureDateLabel->setText(onScreen(view.guest.departureDate));
        arrivalTimeLabel->setText(onScreen(view.guest.arrivalTime));
        departureTimeLabel->setText(onScreen(view.departureTime));
        rateLabel->setText(onScreen(view.guest.rate));
        roomLabel->setText(onScreen(view.guest.room));
        folioBox_->showListing(
            folioListing(services_.store, folioNumberOf(services_.store, found->second)),
            services_.dialogs);
    });
    services_.windows.close(WindowId::HistoryNames);
}

// Before a stay is picked the folio number is empty, and nothing is printed.
void GuestHistoryWindow::printFolioClicked() {
    guarded(services_.dialogs, this, [&] {
        const auto found = departedGuestByFolio(services_.store, folioLabel->text().toStdString());
        if (found) {
            services_.printer.print(
                printedFolio(services_.store, found->second, FolioVariant::History).document);
        }
    });
}

void GuestHistoryWindow::exitClicked() {
    services_.windows.close(WindowId::HistoryNames);
    close();
}

void GuestHistoryWindow::checkAgainClicked() {
    openLookUp();
}

HistoryNamesWindow::HistoryNamesWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Look up by Name"));

    const QString prompt = QStringLiteral("Select a letter of last name");
    letterCombo = makePickList(this, "Combo1", prompt);
    letterCombo->setAccessibleName(prompt);
    namesList = new QListWidget(this);
    namesList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    nameControl(namesList, "List1", QStringLiteral("Checked out guests"));
    exitButton = makeButton(this, "Command1", QStringLiteral("Exit"));

    auto* root = new QVBoxLayout(this);
    root->addWidget(letterCombo);
    root->addWidget(namesList, 1);
    root->addLayout(makeButtonRow({exitButton}));
    resize(640, 360);

    connect(letterCombo, &QComboBox::activated, this, &HistoryNamesWindow::letterPicked);
    connect(namesList, &QListWidget::itemClicked, this, &HistoryNamesWindow::namePicked);
    connect(namesList, &QListWidget::itemActivated, this, &HistoryNamesWindow::namePicked);
    connect(exitButton, &QPushButton::clicked, this, &HistoryNamesWindow::exitClicked);
}

void HistoryNamesWindow::load() {
    placeAt(this, 300, 3000);
    show();
    std::vector<std::string> letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        letters.emplace_back(1, letter);
    }
    fillList(letterCombo, letters);
    namesList->clear();
    letterCombo->setFocus(Qt::OtherFocusReason);
}

void HistoryNamesWindow::letterPicked() {
    namesList->clear();
    guarded(services_.dialogs, this, [&] {
        for (const std::string& entry :
             historyEntries(services_.store, letterCombo->currentText().toStdString())) {
            namesList->addItem(onScreen(entry));
        }
    });
}

// The look-up window closes after every pick, whether the stay is found or not.
void HistoryNamesWindow::namePicked() {
    if (QListWidgetItem* item = namesList->currentItem(); item != nullptr && !closing()) {
        emit entryPicked(item->text());
    }
    close();
}

void HistoryNamesWindow::exitClicked() {
    close();
}

} // namespace roomwright
