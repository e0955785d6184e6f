#include "bench_motel.h"

#include "store/charges.h"
#include "store/settings.h"

#include <fstream>

namespace roomwright::bench {

namespace fs = std::filesystem;

namespace {

void writeSlots(std::ofstream& out, const Bytes& slot) {
    out.write(reinterpret_cast<const char*>(slot.data()),
              static_cast<std::streamsize>(slot.size()));
}

void writeRooms(const DataDirectory& directory, const MotelShape& shape) {
    std::ofstream rooms(directory.room(), std::ios::binary);
    for (int i = 0; i < shape.rooms; ++i) {
        RoomRecord room;
        room.RoomNumber = roomNumberOf(shape, i);
        room.RoomType = "NQ1";
        room.Rate = shape.rate;
        room.CleanFlag = shape.dirtyEvery > 0 && i % shape.dirtyEvery == 0 ? "N" : "Y";
        room.VacantFlag = i < shape.inHouse ? "N" : "Y";
        room.OrderFlag = "K";
        writeSlots(rooms, encode(room));
    }
}

// A card as a clerk types it, different for each record.
template <class Record> void giveCard(Record& record, long i) {
    record.CardNumber = std::to_string(4'111'111'111'111'111LL + i);
    record.CardExpireMonth = "March";
    record.CardExpireYear = "2029";
}

void writeGuests(const DataDirectory& directory, const MotelShape& shape) {
    std::ofstream guests(directory.guest(), std::ios::binary);
    const long stays = shape.years * shape.staysPerYear;
    const long days = 365 * shape.years;
    const CivilDate first = shape.today.plusDays(-days);
    for (long i = 1; i <= stays; ++i) {
        const long newest = stays - i; // 0 for the newest stay
        const bool inHouse = newest < shape.inHouse;
        GuestRecord guest;
        guest.LastName = "Guest" + std::to_string(i);
        guest.FirstName = "Pat";
        guest.Address = "12 Main Street";
        guest.City = "Springfield";
        guest.State = "Ohio";
        guest.Zip = "45501";
        guest.Phone = "555-0100";
        guest.RoomNumber = roomNumberOf(shape, inHouse ? newest : i);
        guest.PayCode = "C";
        guest.Rate = shape.rate;
        guest.FolioNumber = static_cast<float>(i);
        const CivilDate arrival =
            inHouse ? shape.today.plusDays(-1) : first.plusDays(i * days / stays);
        guest.ArrivalDate = arrival.stored();
        guest.ArrivalTime = "3:42:10 PM";
        if (inHouse) {
            const bool dueOut = shape.dueOutEvery > 0 && i % shape.dueOutEvery == 0;
            guest.DepartureDate = shape.today.plusDays(dueOut ? 0 : shape.stayOnNights).stored();
        } else {
            guest.DepartureDate = arrival.plusDays(2).stored();
            guest.CheckOutMark = "*";
            guest.DepartureTime = "10:02:11 AM";
        }
        if (shape.cards) {
            giveCard(guest, i);
        }
        writeSlots(guests, encode(guest));
    }
}

void writeReservations(const DataDirectory& directory, const MotelShape& shape) {
    std::ofstream reservations(directory.reservation(), std::ios::binary);
    const long booked = shape.years * shape.reservationsPerYear;
    const long days = 365 * shape.years;
    const CivilDate first = shape.today.plusDays(-days);
    for (long i = 1; i <= booked; ++i) {
        ReservationRecord reservation;
        reservation.LastName = "Booked" + std::to_string(i);
        reservation.FirstName = "Lee";
        reservation.RoomNumber = roomNumberOf(shape, i);
        reservation.ArrivalDate = first.plusDays(i * days / booked).stored();
        reservation.DepartureDate = first.plusDays(i * days / booked + 2).stored();
        reservation.ConfirmationNumber = static_cast<float>(i);
        reservation.CheckInMark = "*";
        if (shape.cards) {
            giveCard(reservation, i);
        }
        writeSlots(reservations, encode(reservation));
    }
    for (long i = 1; i <= shape.openAhead; ++i) {
        ReservationRecord reservation;
        reservation.LastName = "Ahead" + std::to_string(i);
        reservation.FirstName = "Lee";
        reservation.RoomNumber = roomNumberOf(shape, i * 7);
        reservation.ArrivalDate = shape.today.plusDays(i % 28).stored();
        reservation.DepartureDate = shape.today.plusDays(i % 28 + 2).stored();
        reservation.ConfirmationNumber = static_cast<float>(booked + i);
        writeSlots(reservations, encode(reservation));
    }
}

} // namespace

std::string MotelShape::name() const {
    return std::to_string(years) + "y-" + std::to_string(rooms) + "r-" + std::to_string(inHouse) +
           "h-" + std::to_string(dueOutEvery) + "o-" + std::to_string(dirtyEvery) + "d" +
           (openAhead > 0 ? "-" + std::to_string(openAhead) + "a" : "") + (cards ? "-cards" : "");
}

std::string roomNumberOf(const MotelShape& shape, long i) {
    return std::to_string(shape.firstRoom + i % shape.rooms);
}

fs::path generatedMotel(const MotelShape& shape) {
    const fs::path root = fs::temp_directory_path() / "roomwright-bench" / shape.name();
    if (fs::exists(root / "done")) {
        return root;
    }
    fs::remove_all(root);
    DiskFileSystem files;
    const DataDirectory directory(root);
    directory.ensureExists(files);
    const Store store(directory, files);
    writeRooms(directory, shape);
    writeGuests(directory, shape);
    writeReservations(directory, shape);
    setTaxRate(store, shape.taxRate);
    setPetFee(store, 10);
    const long stays = shape.years * shape.staysPerYear;
    if (shape.postFirstNights) {
        for (long i = stays - shape.inHouse + 1; i <= stays; ++i) {
            const std::string room = roomNumberOf(shape, stays - i) + "  ";
            const CivilDate yesterday = shape.today.plusDays(-1);
            postItem(store, i, room, Category::RoomRent, shape.rate, yesterday);
            postItem(store, i, room, Category::Cash, 128.30, yesterday);
        }
    }
    std::ofstream(root / "done") << stays << '\n';
    return root;
}

fs::path scratchMotel(const MotelShape& shape) {
    const fs::path generated = generatedMotel(shape);
    fs::path scratch = generated;
    scratch += "-scratch";
    fs::remove_all(scratch);
    fs::copy(generated, scratch, fs::copy_options::recursive);
    // On the disk before anything is measured: the first sync of an operation would otherwise
    // write out the whole copy.
    DiskFileSystem disk;
    for (const auto& entry : fs::recursive_directory_iterator(scratch)) {
        if (entry.is_regular_file()) {
            disk.sync(entry.path());
        }
    }
    return scratch;
}

} // namespace roomwright::bench
