#include "frontdesk/folio_list_box.h"

#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <QVBoxLayout>

namespace roomwright {

FolioListBox::FolioListBox(QWidget* parent) : QWidget(parent) {
    list_ = new QListWidget(this);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    nameControl(list_, "List1", QStringLiteral("Folio"));
    // Where the window is short of room, four lines stay in view.
    list_->setMinimumHeight(list_->fontMetrics().lineSpacing() * 4 + list_->frameWidth() * 2);
    captions_ = makeListHeader(list_, onScreen(listFolio({}).header));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(captions_);
    column->addWidget(list_, 1);
}

void FolioListBox::showListing(const FolioListing& listing, Dialogs& dialogs) {
    list_->clear();
    for (const std::string& line : listing.lines) {
        list_->addItem(onScreen(line));
    }
    captions_->setText(onScreen(listing.header));
    if (!listing.problems.empty()) {
        QStringList problems;
        for (const std::string& problem : listing.problems) {
            problems.append(onScreen(problem));
        }
        dialogs.inform(window(), kAttention, problems.join(QLatin1Char('\n')));
    }
}

void FolioListBox::clear() {
    list_->clear();
    captions_->setText(onScreen(listFolio({}).header));
}

} // namespace roomwright
