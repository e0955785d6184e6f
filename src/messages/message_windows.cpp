#include "messages/message_windows.h"

#include "messages/messages.h"
#include "store/format/numbers.h"
#include "ui/controls.h"
#include "ui/default_button.h"
#include "ui/placement.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

namespace roomwright {

namespace {

// The folio number the folio window shows in its folio number label, if it is open and shows one.
std::optional<long> folioOfFolioWindow(const Navigator& windows) {
    const QWidget* folioWindow = windows.find(WindowId::GuestFolio);
    const auto* label =
        folioWindow ? folioWindow->findChild<QLabel*>(QStringLiteral("Label35")) : nullptr;
    const auto number = label ? strictNumber(label->text().toStdString()) : std::nullopt;
    if (!number || *number != std::trunc(*number) || *number < 1 || *number > 1e9) {
        return std::nullopt;
    }
    return static_cast<long>(*number);
}

QTextEdit* plainTextBox(QWidget* parent) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(QStringLiteral("RichTextBox1"));
    box->setAcceptRichText(false);
    box->setTabChangesFocus(true);
    box->setMinimumHeight(90);
    return box;
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// Tells the clerk that the window has no stay to work on.
void tellNoStay(Services& services, QWidget* window, std::optional<long> folio) {
    services.dialogs.inform(
        window, kAttention,
        fromStd(folio ? noStayMessage(*folio) : "Please pick a guest in the folio window first."));
}

// Finds the stay of the folio the folio window shows and puts its folio number and room into
// the two labels. Without one, tells the clerk and forgets the folio, so that nothing is
// saved or deleted for it.
void showStay(Services& services, QWidget* window, std::optional<long>& folio, QLabel* folioLabel,
              QLabel* roomLabel) {
    folio = folioOfFolioWindow(services.windows);
    const auto stay = folio ? inHouseGuestByFolio(services.store, *folio) : std::nullopt;
    if (!stay) {
        tellNoStay(services, window, folio);
        folio.reset();
        return;
    }
    folioLabel->setText(fromStd(plainNumber(stay->second.FolioNumber)));
    roomLabel->setText(fromStd(stay->second.RoomNumber.str()));
}

} // namespace

PostMessageWindow::PostMessageWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Post Guest Message"));

    folioNumberLabel = makeValueLabel(this, "Label2");
    roomNumberLabel = makeValueLabel(this, "Label4");
    fromBox = new QLineEdit(this);
    fromBox->setObjectName(QStringLiteral("Text1"));
    toBox = new QLineEdit(this);
    toBox->setObjectName(QStringLiteral("Text2"));
    dateBox = new QLineEdit(this);
    dateBox->setObjectName(QStringLiteral("Text3"));
    messageText = plainTextBox(this);
    saveButton = makeButton(this, "Command2", "Save");
    exitButton = makeButton(this, "Command1", "Exit");

    auto* form = new QFormLayout;
    const auto row = [&](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        form->addRow(label, field);
        labelControl(label, field);
    };
    row("Folio#", folioNumberLabel);
    row("Room #", roomNumberLabel);
    row("From", fromBox);
    row("To", toBox);
    row("Date", dateBox);
    row("Message", messageText);

    auto* buttons = makeButtonRow({saveButton, exitButton});
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addLayout(buttons);
    resize(420, 320);

    connect(saveButton, &QPushButton::clicked, this, &PostMessageWindow::saveClicked);
    connect(exitButton, &QPushButton::clicked, this, &PostMessageWindow::exitClicked);
}

void PostMessageWindow::load() {
    placeAt(this, 500, 4000);
    show();
    dateBox->setText(fromStd(shortDate(services_.clock.today())));
    guarded(services_.dialogs, this,
            [&] { showStay(services_, this, folio_, folioNumberLabel, roomNumberLabel); });
    fromBox->setFocus();
}

void PostMessageWindow::saveClicked() {
    guarded(services_.dialogs, this, [&] {
        const NewMessage message{fromBox->text().toStdString(), toBox->text().toStdString(),
                                 messageText->toPlainText().toStdString()};
        const auto saved =
            folio_ ? saveMessage(services_.store, *folio_, message, services_.clock.today())
                   : std::nullopt;
        if (!saved) {
            tellNoStay(services_, this, folio_);
            return;
        }
        services_.dialogs.inform(this, kAttention, QStringLiteral("Your message was saved."));
        close();
    });
}

void PostMessageWindow::exitClicked() {
    close();
}

ReadMessageWindow::ReadMessageWindow(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form26"));
    setWindowTitle(QStringLiteral("Guest Message"));

    folioNumberLabel = makeValueLabel(this, "Label2");
    roomNumberLabel = makeValueLabel(this, "Label4");
    fromLabel = makeValueLabel(this, "Label6");
    toLabel = makeValueLabel(this, "Label8");
    dateLabel = makeValueLabel(this, "Label10");
    messageText = plainTextBox(this);
    messageText->setReadOnly(true);
    messageText->setAccessibleName(QStringLiteral("Message"));
    deleteButton = makeButton(this, "Command2", "Delete Message");
    exitButton = makeButton(this, "Command1", "Exit");

    auto* form = new QFormLayout;
    const auto row = [&](const char* name, const char* caption, QLabel* value) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setObjectName(QString::fromLatin1(name));
        form->addRow(label, value);
        labelControl(label, value);
    };
    row("Label1", "Folio#", folioNumberLabel);
    row("Label3", "Room#", roomNumberLabel);
    row("Label5", "From", fromLabel);
    row("Label7", "To", toLabel);
    row("Label9", "Date", dateLabel);

    auto* buttons = makeButtonRow({deleteButton, exitButton});
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(messageText, 1);
    root->addLayout(buttons);
    resize(420, 300);
    makeDefaultButton(this, exitButton);

    connect(deleteButton, &QPushButton::clicked, this, &ReadMessageWindow::deleteClicked);
    connect(exitButton, &QPushButton::clicked, this, &ReadMessageWindow::exitClicked);
}

void ReadMessageWindow::load() {
    placeAt(this, 300, 4000);
    show();
    guarded(services_.dialogs, this, [&] {
        showStay(services_, this, folio_, folioNumberLabel, roomNumberLabel);
        if (!folio_) {
            return;
        }
        const auto message = firstLiveMessage(services_.store, *folio_);
        if (!message) {
            return;
        }
        const MessageRecord& shown = message->second;
        folioNumberLabel->setText(fromStd(plainNumber(shown.FolioNumber)));
        roomNumberLabel->setText(fromStd(shown.RoomNumber.str()));
        fromLabel->setText(fromStd(shown.From.str()));
        toLabel->setText(fromStd(shown.To.str()));
        dateLabel->setText(fromStd(shortDate(CivilDate::fromStored(shown.MessageDate))));
        messageText->setPlainText(fromStd(shown.MessageText.str()));
    });
    exitButton->setFocus();
}

void ReadMessageWindow::deleteClicked() {
    guarded(services_.dialogs, this, [&] {
        if (folio_ && deleteFirstLiveMessage(services_.store, *folio_)) {
            services_.dialogs.inform(this, kAttention, QStringLiteral("Your message was deleted."));
            emit messageDeleted();
        }
    });
    close();
}

void ReadMessageWindow::exitClicked() {
    close();
}

} // namespace roomwright
