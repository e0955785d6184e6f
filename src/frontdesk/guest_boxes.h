#pragma once

#include "frontdesk/registration.h"

#include <array>
#include <string>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace roomwright {

class CardNumberMask;

// How a window shows the state and the card's expiry month and year.
enum class GuestLists {
    Boxes,          // text boxes, like the other details
    PickedOrEmpty,  // lists to pick from; a list with nothing picked reads ""
    PickedOrPrompt, // lists to pick from; a list with nothing picked reads as its prompt
    Typed,          // lists that also take a typed text, read as they show it
};

// Where the guest's boxes stand in their frame, each beside its caption.
enum class GuestGrid {
    Registration, // address and comment across the frame, the counts at its foot
    Folio,        // two to a line but the address and the email, which go across
};

// Where the card's controls stand in their frame.
enum class CardGrid {
    Stacked,  // the options two by two, the number under them, then the expiry side by side
    OneLine,  // the options in a row; the number and the expiry side by side under them
    TwoLines, // the options in a row; the number; the expiry month and year side by side
};

// How wide the guest's boxes are beyond the room their grid gives them.
enum class BoxWidths {
    Grid,         // as the grid gives them
    ForTyping,    // at least wide enough for what a clerk types, at any font size
    NarrowCounts, // the adults and children boxes narrow, at the left of their columns
};

// What differs between the windows that show the guest's details; everything else about
// the boxes is the same in each. What a form leaves out is as a registration has it: boxes
// typed into and taking what their fields keep, in the frames "Guest" and "Credit Card
// Information", stacked, wide enough for typing, the card number shown as typed.
struct GuestBoxesForm {
    // The object names of the boxes and lists, in box order.
    std::array<const char*, kGuestBoxCount> names;
    GuestLists lists;
    bool readOnly = false;
    // Each box takes at most the characters its field keeps.
    bool fieldWidths = true;
    const char* guestCaption = "Guest"; // "" for none
    const char* cardCaption = "Credit Card Information";
    const char* driversLicenseCaption = "Drivers Lic. #";
    GuestGrid guestGrid = GuestGrid::Registration;
    CardGrid cardGrid = CardGrid::Stacked;
    BoxWidths widths = BoxWidths::ForTyping;
    // A stored card number shows as its last four digits behind bullets (maskedCardNumber),
    // with "Show" beside it, which shows the whole number until the boxes show another
    // guest or are emptied. Typing into the box replaces the number; while the box shows
    // the bullets, it reads as them, which a save takes for the stored number unchanged.
    bool maskedCard = false;
};

// The guest's boxes and card details in two frames, which the window places. They are
// created in box order, the options before the card number, which is their tab order.
struct GuestBoxes {
    QGroupBox* guestFrame;
    QLineEdit* lastName;
    QLineEdit* firstName;
    QLineEdit* address;
    QLineEdit* city;
    QComboBox* state; // nullptr where the state is a box
    QLineEdit* zip;
    QLineEdit* phone;
    QLineEdit* cell;
    QLineEdit* company;
    QLineEdit* email;
    QLineEdit* driversLicense;
    QLineEdit* comment;
    QLineEdit* adults;
    QLineEdit* children;
    QGroupBox* cardFrame;
    QRadioButton* visa;
    QRadioButton* masterCard;
    QRadioButton* discover;
    QRadioButton* americanExpress;
    QButtonGroup* cards;
    QLineEdit* cardNumber;
    QPushButton* showCardButton; // "Show"; nullptr where the card number is not masked
    QComboBox* expireMonth; // nullptr where the expiry is in boxes
    QComboBox* expireYear;  // nullptr where the expiry is in boxes
    // Every box and list in box order.
    std::array<QWidget*, kGuestBoxCount> controls;
    GuestLists lists;
    CardNumberMask* cardMask; // nullptr where the card number is not masked

    // The text boxes in box order; nullptr in the places of lists.
    std::array<QLineEdit*, kGuestBoxCount> boxes() const;
    // The card options: Visa, Master Card, Discover, American Express.
    std::array<QRadioButton*, 4> cardOptions() const;
    // The letter of the chosen card option, "" when none is chosen.
    std::string cardType() const;
    // What the boxes and lists hold, in box order, lists read as the form says.
    GuestBoxTexts texts() const;
    // What the boxes hold with the chosen card.
    GuestDetails details() const;
    // Shows the texts in box order (a typed list shows its text, a pick list picks it) and
    // chooses the card option of the letter.
    void show(const GuestBoxTexts& texts, const std::string& cardLetter);
    // Chooses the option of the letter; any other text leaves none chosen.
    void showCardType(const std::string& letter);
    // Empties every box, picks nothing in the lists and chooses no card.
    void clear();
};

// The guest's boxes as the form describes them, their frames children of `parent`.
GuestBoxes makeGuestBoxes(QWidget* parent, const GuestBoxesForm& form);

} // namespace roomwright
