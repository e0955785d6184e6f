#include "reports/history_windows.h"

#include "frontdesk/folio.h"
#include "frontdesk/folio_list_box.h"
#include "reports/guest_history.h"
#include "store/lookups.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

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
#include <QScrollArea>
#include <QVBoxLayout>

#include <vector>

namespace roomwright {

namespace {

// The guest's boxes, read-only: the stay is over. The card number masked.
constexpr GuestBoxesForm kHistoryGuestBoxes = {
    .names = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9",
              "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17"},
    .lists = GuestLists::Boxes,
    .readOnly = true,
    .fieldWidths = false,
    .guestCaption = "",
    .cardCaption = "Credit Card Info",
    .driversLicenseCaption = "Driver Lic.#",
    .guestGrid = GuestGrid::Folio,
    .cardGrid = CardGrid::TwoLines,
    .widths = BoxWidths::Grid,
    .maskedCard = true,
};

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

    guest = makeGuestBoxes(this, kHistoryGuestBoxes);
    guestBoxes = guest.boxes();
    cardOptions = guest.cardOptions();
    // Tab goes through the card options first, then the boxes.
    std::vector<QWidget*> tabOrder(cardOptions.begin(), cardOptions.end());
    tabOrder.insert(tabOrder.end(), guestBoxes.begin(), guestBoxes.end());
    chainTabOrder(tabOrder);

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

    printFolioButton = makeButton(this, "Command3", QStringLiteral("Print Folio"));
    exitButton = makeButton(this, "Command2", QStringLiteral("Exit"));
    checkAgainButton = makeButton(this, "Command1", QStringLiteral("Check Again"));
    makeDefaultButton(this, checkAgainButton);
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionButtons = new QHBoxLayout(options);
    optionButtons->addWidget(printFolioButton);
    optionButtons->addWidget(exitButton);

    auto* left = new QVBoxLayout;
    left->addWidget(guest.guestFrame);
    left->addWidget(guest.cardFrame);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(stayFrame, 2);
    auto* foot = new QHBoxLayout;
    foot->addWidget(checkAgainButton);
    foot->addStretch();
    foot->addWidget(options);
    auto* root = new QVBoxLayout(this);
    // The folio lines take the room the guest's details leave; where there is too little for
    // both, the details scroll and the lines keep a few in view.
    root->addWidget(makeScrollingArea(this, top));
    root->addWidget(folioBox_, 1);
    root->addLayout(foot);

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
    guest.clear();
    for (QLabel* label : {folioLabel, arrivalDateLabel, departureDateLabel, arrivalTimeLabel,
                          departureTimeLabel, rateLabel, roomLabel}) {
        label->clear();
    }
}

void GuestHistoryWindow::entryPicked(const QString& entry) {
    clearStay();
    guarded(services_.dialogs, this, [&] {
        const auto found = departedGuestOfEntry(services_.store, entry.toStdString());
        if (!found) {
            return;
        }
        const HistoryView view = historyView(found->second);
        guest.show(view.guest.boxes, view.guest.cardType);
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
