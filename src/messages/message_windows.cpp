#include "messages/message_windows.h"

#include "messages/messages.h"
#include "store/numbers.h"
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

// The folio number the folio window shows in its label Label35, if it is open and shows one.
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

Form25::Form25(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Post Guest Message"));

    Label2 = makeValueLabel(this, "Label2");
    Label4 = makeValueLabel(this, "Label4");
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    RichTextBox1 = plainTextBox(this);
    Command2 = makeButton(this, "Command2", "Save");
    Command1 = makeButton(this, "Command1", "Exit");

    auto* form = new QFormLayout;
    const auto row = [&](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        form->addRow(label, field);
        labelControl(label, field);
    };
    row("Folio#", Label2);
    row("Room #", Label4);
    row("From", Text1);
    row("To", Text2);
    row("Date", Text3);
    row("Message", RichTextBox1);

    auto* buttons = makeButtonRow({Command2, Command1});
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addLayout(buttons);
    resize(420, 320);

    connect(Command2, &QPushButton::clicked, this, &Form25::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form25::Command1_Click);
}

void Form25::Form_Load() {
    placeAt(this, 500, 4000);
    show();
    Text3->setText(fromStd(shortDate(services_.clock.today())));
    guarded(services_.dialogs, this, [&] { showStay(services_, this, folio_, Label2, Label4); });
    Text1->setFocus();
}

void Form25::Command2_Click() {
    guarded(services_.dialogs, this, [&] {
        const NewMessage message{Text1->text().toStdString(), Text2->text().toStdString(),
                                 RichTextBox1->toPlainText().toStdString()};
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

void Form25::Command1_Click() {
    close();
}

Form26::Form26(Services& services) : DeskWindow(services) {
    setObjectName(QStringLiteral("Form26"));
    setWindowTitle(QStringLiteral("Guest Message"));

    Label2 = makeValueLabel(this, "Label2");
    Label4 = makeValueLabel(this, "Label4");
    Label6 = makeValueLabel(this, "Label6");
    Label8 = makeValueLabel(this, "Label8");
    Label10 = makeValueLabel(this, "Label10");
    RichTextBox1 = plainTextBox(this);
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setAccessibleName(QStringLiteral("Message"));
    Command2 = makeButton(this, "Command2", "Delete Message");
    Command1 = makeButton(this, "Command1", "Exit");

    auto* form = new QFormLayout;
    const auto row = [&](const char* name, const char* caption, QLabel* value) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setObjectName(QString::fromLatin1(name));
        form->addRow(label, value);
        labelControl(label, value);
    };
    row("Label1", "Folio#", Label2);
    row("Label3", "Room#", Label4);
    row("Label5", "From", Label6);
    row("Label7", "To", Label8);
    row("Label9", "Date", Label10);

    auto* buttons = makeButtonRow({Command2, Command1});
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(RichTextBox1, 1);
    root->addLayout(buttons);
    resize(420, 300);
    makeDefaultButton(this, Command1);

    connect(Command2, &QPushButton::clicked, this, &Form26::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form26::Command1_Click);
}

void Form26::Form_Load() {
    placeAt(this, 300, 4000);
    show();
    guarded(services_.dialogs, this, [&] {
        showStay(services_, this, folio_, Label2, Label4);
        if (!folio_) {
            return;
        }
        const auto message = firstLiveMessage(services_.store, *folio_);
        if (!message) {
            return;
        }
        const MessageRecord& shown = message->second;
        Label2->setText(fromStd(plainNumber(shown.FolioNumber)));
        Label4->setText(fromStd(shown.RoomNumber.str()));
        Label6->setText(fromStd(shown.From.str()));
        Label8->setText(fromStd(shown.To.str()));
        Label10->setText(fromStd(shortDate(CivilDate::fromStored(shown.MessageDate))));
        RichTextBox1->setPlainText(fromStd(shown.MessageText.str()));
    });
    Command1->setFocus();
}

void Form26::Command2_Click() {
    guarded(services_.dialogs, this, [&] {
        if (folio_ && deleteFirstLiveMessage(services_.store, *folio_)) {
            services_.dialogs.inform(this, kAttention, QStringLiteral("Your message was deleted."));
            emit messageDeleted();
        }
    });
    close();
}

void Form26::Command1_Click() {
    close();
}

} // namespace roomwright
