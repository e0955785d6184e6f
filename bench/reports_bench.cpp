// The morning and night reports on twenty years of stays: the housekeeping report and the
// night audit each read the guest file once, so each should cost about one sequential read
// of it, which ReadGuestFile measures as the yardstick.

#include "frontdesk/housekeeping.h"
#include "reports/night_audit.h"
#include "store/record_file.h"
#include "store/settings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace roomwright {
namespace {

constexpr long kStays = 250'000;
constexpr int kRooms = 40;
const CivilDate kFirstNight{2026, 12, 7};

// A 40-room motel after twenty years: 250,000 stays, all departed but one in-house guest
// per room (the last 40 records), each staying on until long after the benchmark's nights.
class TwentyYears {
  public:
    TwentyYears() : root_(std::filesystem::temp_directory_path() / "roomwright-bench-reports") {
        std::filesystem::remove_all(root_);
        const DataDirectory directory(root_);
        directory.ensureExists(files_);
        const Store store(directory, files_);
        setTaxRate(store, 0.09f);
        std::ofstream rooms(directory.room(), std::ios::binary);
        for (int r = 0; r < kRooms; ++r) {
            RoomRecord room;
            room.RoomNumber = std::to_string(101 + r);
            room.RoomType = "NQ1";
            room.Rate = 45;
            room.CleanFlag = r % 3 == 0 ? "N" : "Y";
            room.VacantFlag = "N";
            room.OrderFlag = "K";
            room.Comment = "";
            write(rooms, encode(room));
        }
        std::ofstream guests(directory.guest(), std::ios::binary);
        const CivilDate start = kFirstNight.plusDays(-20 * 365);
        for (long i = 1; i <= kStays; ++i) {
            GuestRecord guest;
            guest.LastName = "Guest" + std::to_string(i);
            guest.FirstName = "Ann";
            guest.RoomNumber = std::to_string(101 + i % kRooms);
            guest.FolioNumber = static_cast<float>(i);
            guest.Rate = 45;
            guest.PayCode = "C";
            const bool inHouse = i > kStays - kRooms;
            guest.ArrivalDate = inHouse ? kFirstNight.plusDays(-1).stored()
                                        : start.plusDays(i * 20 * 365 / kStays).stored();
            guest.DepartureDate = inHouse ? kFirstNight.plusDays(10'000).stored()
                                          : start.plusDays(i * 20 * 365 / kStays + 2).stored();
            if (!inHouse) {
                guest.CheckOutMark = "*";
            }
            write(guests, encode(guest));
        }
    }
    ~TwentyYears() { std::filesystem::remove_all(root_); }
    Store store() { return Store(DataDirectory(root_), files_); }

  private:
    static void write(std::ofstream& out, const Bytes& slot) {
        out.write(reinterpret_cast<const char*>(slot.data()),
                  static_cast<std::streamsize>(slot.size()));
    }
    std::filesystem::path root_;
    DiskFileSystem files_;
};

TwentyYears& motel() {
    static TwentyYears built;
    return built;
}

void ReadGuestFile(benchmark::State& state) {
    const Store store = motel().store();
    for (auto _ : state) {
        std::size_t slots = 0;
        RecordFile(store.files(), store.directory().guest(), GuestRecord::slotLength)
            .scan([&](std::size_t, std::span<const std::byte>) { return ++slots > 0; });
        benchmark::DoNotOptimize(slots);
    }
}
BENCHMARK(ReadGuestFile)->Unit(benchmark::kMillisecond);

void HousekeepingReport(benchmark::State& state) {
    const Store store = motel().store();
    for (auto _ : state) {
        benchmark::DoNotOptimize(housekeepingReport(store, kFirstNight));
    }
}
BENCHMARK(HousekeepingReport)->Unit(benchmark::kMillisecond);

// Each iteration is the audit of the next night: 40 stay-overs charged, both reports built.
void NightAudit(benchmark::State& state) {
    const Store store = motel().store();
    long night = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runNightAudit(store, kFirstNight.plusDays(night++)));
    }
}
BENCHMARK(NightAudit)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace roomwright
