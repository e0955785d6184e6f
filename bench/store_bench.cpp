// How the store holds up as a motel keeps every stay for decades: scans of a large guest
// file, the due-out list, reading a long charge file, and the reservation look-ups.

#include "frontdesk/departures.h"
#include "reservations/reservations.h"
#include "store/charges.h"
#include "store/lookups.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace roomwright {
namespace {

// A data directory with `stays` guest records, all departed but the last.
class Motel {
  public:
    explicit Motel(long stays)
        : root_(std::filesystem::temp_directory_path() /
                ("roomwright-bench-" + std::to_string(stays))) {
        std::filesystem::remove_all(root_);
        const DataDirectory directory(root_);
        directory.ensureExists(files_);
        std::ofstream guests(directory.guest(), std::ios::binary);
        for (long i = 1; i <= stays; ++i) {
            GuestRecord guest;
            guest.RoomNumber = std::to_string(100 + i % 40);
            guest.LastName = "Guest" + std::to_string(i);
            guest.FolioNumber = static_cast<float>(i);
            guest.DepartureDate = CivilDate{2026, 12, 7}.stored();
            if (i < stays) {
                guest.CheckOutMark = "*";
            }
            const Bytes slot = encode(guest);
            guests.write(reinterpret_cast<const char*>(slot.data()),
                         static_cast<std::streamsize>(slot.size()));
        }
    }
    ~Motel() { std::filesystem::remove_all(root_); }
    Store store() { return Store(DataDirectory(root_), files_); }

  private:
    std::filesystem::path root_;
    DiskFileSystem files_;
};

void DeparturesToday(benchmark::State& state) {
    Motel motel(state.range(0));
    const Store store = motel.store();
    for (auto _ : state) {
        benchmark::DoNotOptimize(departuresToday(store, {2026, 12, 7}));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(DeparturesToday)->Arg(10'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

void InHouseGuestOfRoomAtTheEnd(benchmark::State& state) {
    Motel motel(state.range(0));
    const Store store = motel.store();
    const std::string room = std::to_string(100 + state.range(0) % 40);
    for (auto _ : state) {
        benchmark::DoNotOptimize(inHouseGuestOfRoom(store, room));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(InHouseGuestOfRoomAtTheEnd)->Arg(200'000)->Unit(benchmark::kMillisecond);

void ReadLongChargeFile(benchmark::State& state) {
    Motel motel(1);
    const Store store = motel.store();
    ChargeLine line{"101  ", "A", "JS", {2026, 12, 7}, "E", "Room Rent", 59.95, std::nullopt, 1};
    std::ofstream out(store.directory().chargeFile(1), std::ios::binary);
    for (long i = 0; i < state.range(0); ++i) {
        out << formatChargeLine(line) << "\r\n";
    }
    out.close();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readCharges(store, 1));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadLongChargeFile)->Arg(10'000)->Unit(benchmark::kMillisecond);

// Years of bookings, all checked in but the last few of each room.
void writeBookings(const Store& store, long bookings) {
    std::ofstream out(store.directory().reservation(), std::ios::binary);
    const CivilDate first{2000, 1, 1};
    for (long i = 1; i <= bookings; ++i) {
        ReservationRecord r;
        r.ConfirmationNumber = static_cast<float>(i);
        r.LastName = "Guest" + std::to_string(i);
        r.FirstName = "Ann";
        r.RoomNumber = std::to_string(100 + i % 40);
        r.ArrivalDate = first.plusDays(i / 40).stored();
        r.DepartureDate = first.plusDays(i / 40 + 2).stored();
        if (i < bookings - 80) {
            r.CheckInMark = "*";
        }
        const Bytes slot = encode(r);
        out.write(reinterpret_cast<const char*>(slot.data()),
                  static_cast<std::streamsize>(slot.size()));
    }
}

void OverbookingCheck(benchmark::State& state) {
    Motel motel(1);
    const Store store = motel.store();
    writeBookings(store, state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(overbooked(store, "101", {{2026, 12, 7}, CivilDate{2026, 12, 9}}));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(OverbookingCheck)->Arg(200'000)->Unit(benchmark::kMillisecond);

void OpenReservationNames(benchmark::State& state) {
    Motel motel(1);
    const Store store = motel.store();
    writeBookings(store, state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(openReservationNames(store));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(OpenReservationNames)->Arg(200'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace roomwright
