#include "frontdesk/registration.h"

#include "store/charges.h"
#include "store/lookups.h"
#include "store/numbers.h"
#include "store/settings.h"
#include "store/store_error.h"

namespace roomwright {

namespace {

// What a failed registration had already written, so that it can be taken back.
class StayUndo {
  public:
    StayUndo(const Store& store, long folio, const CivilDate& today)
        : store_(store), today_(today), guestFile_(store.directory().guest()),
          chargeFile_(store.directory().chargeFile(folio)),
          guestLength_(store.files().size(guestFile_)),
          chargeLength_(store.files().size(chargeFile_)), totals_(monthTotals(store, today)) {}

    // Best effort: the failure that brought us here is the one the clerk needs to see.
    void takeBack() const noexcept {
        attempt([&] { store_.files().truncate(guestFile_, guestLength_); });
        attempt([&] { store_.files().truncate(chargeFile_, chargeLength_); });
        attempt([&] { store_.totals(today_).write(1, totals_); });
    }

  private:
    template <class Step> static void attempt(Step step) noexcept {
        try {
            step();
        } catch (const std::exception&) {
        }
    }

    const Store& store_;
    CivilDate today_;
    Path guestFile_;
    Path chargeFile_;
    std::uint64_t guestLength_;
    std::uint64_t chargeLength_;
    TotalsRecord totals_;
};

} // namespace

GuestRecord registerStay(const Store& store, GuestRecord guest, const StayPostings& postings,
                         const CivilDate& today) {
    // Refused before anything is written: damage the postings would meet, amounts that no
    // posting takes.
    shiftAndClerk(store);
    monthTotals(store, today);
    for (const double amount : {postings.roomRent, postings.petFee.value_or(0.0), postings.paid}) {
        if (!postableAmount(amount)) {
            throw DataError(std::string(kAmountOutOfRange) + " Nothing was saved.");
        }
    }
    const long folio = issueFolioNumber(store);
    guest.FolioNumber = static_cast<float>(folio);
    guest.ArrivalDate = today.stored();

    const StayUndo undo(store, folio, today);
    try {
        Table<GuestRecord> guests = store.guests();
        const GuestRecord saved = guests.read(guests.append(guest));
        const std::string room = saved.RoomNumber.str();
        postItem(store, folio, room, Category::RoomRent, postings.roomRent, today);
        if (postings.petFee) {
            postItem(store, folio, room, Category::PetFee, *postings.petFee, today);
        }
        if (postings.payment) {
            postItem(store, folio, room, *postings.payment, postings.paid, today);
        }
        if (auto found = findRoom(store, saved.RoomNumber.trimmed())) {
            auto& [number, record] = *found;
            record.CleanFlag = "N";
            record.VacantFlag = "N";
            store.rooms().write(number, record);
        }
        return saved;
    } catch (const std::exception&) {
        undo.takeBack();
        throw;
    }
}

const std::vector<std::string>& payCodeList() {
    static const std::vector<std::string> codes = {
        "V = Visa", "M = Master Card", "D = Discover", "A = American Express",
        "C = Cash", "K = Check",       "O = Other"};
    return codes;
}

void putDetails(const GuestDetails& details, PersonFields& fields) {
    fields.LastName = details.lastName;
    fields.FirstName = details.firstName;
    fields.Address = details.address;
    fields.City = details.city;
    fields.State = details.state;
    fields.Zip = details.zip;
    fields.Phone = details.phone;
    fields.Cell = details.cell;
    fields.Company = details.company;
    fields.Email = details.email;
    fields.DriversLicense = details.driversLicense;
    fields.Comment = details.comment;
    fields.Adults = details.adults;
    fields.Children = details.children;
    fields.CardNumber = details.cardNumber;
    fields.CardExpireMonth = details.cardExpireMonth;
    fields.CardExpireYear = details.cardExpireYear;
}

} // namespace roomwright
