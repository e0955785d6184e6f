#include "frontdesk/registration.h"

#include "store/cards.h"
#include "store/charges.h"
#include "store/lookups.h"
#include "store/format/numbers.h"
#include "store/settings.h"
#include "store/format/store_error.h"

namespace roomwright {

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
    Operation operation(store);
    const long folio = issueFolioNumber(store);
    guest.FolioNumber = static_cast<float>(folio);
    guest.ArrivalDate = today.stored();

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
    operation.commit();
    return saved;
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
    putCardNumber(details.cardNumber, fields.CardNumber);
    fields.CardExpireMonth = details.cardExpireMonth;
    fields.CardExpireYear = details.cardExpireYear;
}

} // namespace roomwright
