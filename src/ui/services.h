#pragma once

#include "backup/restore.h"
#include "print/printer.h"
#include "store/clock.h"
#include "store/store.h"
#include "ui/dialogs.h"

#include <QPointer>
#include <QWidget>

class QKeyEvent;
class QShowEvent;
class QPushButton;

namespace roomwright {

// Every window of the program, by what it is, with the object name of its window.
enum class WindowId {
    Main,             // Form1
    MainMenu,         // Form2
    RoomInventory,    // Form3
    RoomList,         // Form4
    UnsoldRooms,      // Form5
    CheckIn,          // Form6
    TaxRate,          // Form7
    PetFee,           // Form8
    GuestFolio,       // Form9
    ShiftClerk,       // Form10
    Reservations,     // Form11, the reservations menu
    ReservationEntry, // Form12, a new booking
    Reservation,      // Form15, a booking found, changed and checked in
    Greetings,        // Form27
    RoomProperties,   // Form23
    RoomStatus,       // Form24
    PostMessage,      // Form25
    ReadMessage,      // Form26
    MonthlyReport,    // Form17
    NightAudit,       // Form18
    GuestHistory,     // Form19
    HistoryNames,     // Form20
    MotelDetails,     // Form30
    TapeChart,        // TapeChart, rooms by nights
};

// Opens and closes windows by what they are, so that a window never needs to know how
// another one is built. A window that this build does not have yet opens as nothing.
class Navigator {
  public:
    virtual ~Navigator() = default;
    // Loads the window (or brings it forward when it is open) and returns it.
    virtual QWidget* open(WindowId id) = 0;
    virtual void close(WindowId id) = 0;
    virtual QWidget* find(WindowId id) const = 0;
};

// The program's hold on its data directory, which a restore replaces under it.
class DataHolder {
  public:
    virtual ~DataHolder() = default;
    // Closes every window but the main window and `keep`, lets go of the data directory,
    // puts the backup `archive` in its place (backup/restore.h), and works on the directory
    // anew, as at the program's start: also after a restore that failed, on the data as it
    // was. Throws as restoreBackup does.
    virtual Restored restore(const Path& archive, QWidget* keep) = 0;
};

// What every window works with: the data, the clock, message boxes, the printer, the other
// windows and the hold on the data directory.
struct Services {
    Store store;
    Clock& clock;
    Dialogs& dialogs;
    Printer& printer;
    Navigator& windows;
    DataHolder& data;
};

// A window of the program: a top-level widget that the navigator loads.
//
// Keys: Return or Enter presses the focused push button, or, where no push button has the
// focus, the window's default button (`makeDefaultButton`); an open drop-down list takes
// them itself. Closing: the window is deleted once it has closed and no message box it
// opened is still up, so that a handler waiting on a box never finds its window gone.
class DeskWindow : public QWidget {
  public:
    explicit DeskWindow(Services& services) : services_(services) {}
    // Runs each time the window is loaded.
    virtual void load() = 0;
    // Loads the window and hands it the keyboard: it becomes the active window, with the
    // focus where `load` put it or else on its first control.
    void loadAndFocus();
    // True once the window has agreed to close: it is deleted soon after and no longer
    // counts as the open window of its kind.
    bool closing() const { return closing_; }
    // The button Return presses where no push button has the focus.
    void setDefaultButton(QPushButton* button);
    // A window asks for no more room than its screen has (ui/placement.h).
    QSize sizeHint() const override;

    // Keeps a window alive while one of its message boxes is up: a window closed meanwhile
    // is deleted once the last box is gone.
    class Hold {
      public:
        // `widget`: any widget of the window, or none.
        explicit Hold(QWidget* widget);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        QPointer<DeskWindow> window_;
    };

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A window opens within its screen, whatever size it asks for (ui/placement.h).
    void showEvent(QShowEvent* event) override;

    Services& services_;

  private:
    void deleteWhenFree();

    bool closing_ = false;
    bool deleting_ = false;
    int holds_ = 0;
    QPointer<QPushButton> defaultButton_;
};

} // namespace roomwright
