#pragma once

#include "frontdesk/folio_list.h"

#include <QWidget>

class QLabel;
class QListWidget;

namespace roomwright {

class Dialogs;

// The folio list of the folio and history windows: a stay's charge lines in a fixed-pitch
// list (List1, "Folio") under their captions.
class FolioListBox : public QWidget {
  public:
    explicit FolioListBox(QWidget* parent);

    // Shows the listing; the lines of the charge file that could not be read are told to
    // the clerk.
    void showListing(const FolioListing& listing, Dialogs& dialogs);
    void clear();

    QListWidget* list() const { return list_; }

  private:
    QLabel* captions_;
    QListWidget* list_;
};

} // namespace roomwright
