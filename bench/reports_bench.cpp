// The night audit's erasing of the cards no longer needed, on twenty years of stays: it may
// add at most one read of the guest file, which ReadGuestFile measures as the yardstick;
// NightAuditKeepingCards is the audit without it. (The housekeeping report and the audit
// itself are measured at every age of the motel in desk_bench.cpp.)

#include "bench_motel.h"
#include "reports/card_erasing.h"
#include "reports/night_audit.h"
#include "store/disk/record_file.h"
#include "store/motel_details.h"
#include "store/settings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

namespace roomwright {
namespace {

// A 40-room motel after twenty years: 250,000 stays, all departed but one in-house guest
// per room (the newest 40 records), each staying on until long after the benchmark's nights.
bench::MotelShape twentyYears() {
    bench::MotelShape shape;
    shape.years = 20;
    shape.rooms = 40;
    shape.firstRoom = 101;
    shape.reservationsPerYear = 0;
    shape.inHouse = 40;
    shape.dueOutEvery = 0;
    shape.stayOnNights = 10'000;
    shape.dirtyEvery = 3;
    shape.rate = 45;
    shape.taxRate = 0.09f;
    shape.postFirstNights = false;
    return shape;
}
const CivilDate kFirstNight = twentyYears().today;

// The same motel with 3,000 bookings a year, each checked in on its day, and the cards of
// every stay and booking still in the files.
bench::MotelShape twentyYearsOfCards() {
    bench::MotelShape shape = twentyYears();
    shape.reservationsPerYear = 3'000;
    shape.cards = true;
    return shape;
}

// A motel as each run of the benchmarks finds it: the night audit writes to it.
class Scratch {
  public:
    explicit Scratch(const bench::MotelShape& shape) : root_(bench::scratchMotel(shape)) {}
    ~Scratch() { std::filesystem::remove_all(root_); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    Store store() { return Store(DataDirectory(root_), files_); }

  private:
    std::filesystem::path root_;
    DiskFileSystem files_;
};

Scratch& motel() {
    static Scratch built(twentyYears());
    return built;
}

void keepCardsFor(const Store& store, std::optional<long> days) {
    MotelDetails motel = motelDetails(store);
    motel.cards = CardErasing{days};
    setMotelDetails(store, motel);
}

// Each iteration is the audit of the next night, on a motel of its own.
void auditNights(benchmark::State& state, const bench::MotelShape& shape,
                 std::optional<long> keptDays) {
    Scratch scratch(shape);
    const Store store = scratch.store();
    keepCardsFor(store, keptDays);
    if (const auto kept = firstDayKept(CardErasing{keptDays}, kFirstNight.plusDays(-1))) {
        // The history as the audits of the nights before left it.
        eraseCardsBefore(store, *kept);
    }
    long night = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runNightAudit(store, kFirstNight.plusDays(night++)));
    }
}

// One sequential read of a record file through RecordFile::scan, decoding nothing.
template <class Record>
void readRecords(benchmark::State& state, const Store& store, const std::filesystem::path& file) {
    for (auto _ : state) {
        std::size_t slots = 0;
        RecordFile(store.files(), file, Record::slotLength)
            .scan([&](std::size_t, std::span<const std::byte>) { return ++slots > 0; });
        benchmark::DoNotOptimize(slots);
    }
}

void ReadGuestFile(benchmark::State& state) {
    const Store store = motel().store();
    readRecords<GuestRecord>(state, store, store.directory().guest());
}
BENCHMARK(ReadGuestFile)->Unit(benchmark::kMillisecond);

// Each iteration is the audit of the next night: 40 stay-overs charged, the cards of the
// stays and bookings done 31 days before erased (about 40 of them), both reports built.
void NightAuditErasingCards(benchmark::State& state) {
    auditNights(state, twentyYearsOfCards(), kEraseCardsAfterDays);
}
BENCHMARK(NightAuditErasingCards)->Unit(benchmark::kMillisecond);

// The same audit of a motel that keeps its cards: no erasing pass.
void NightAuditKeepingCards(benchmark::State& state) {
    auditNights(state, twentyYearsOfCards(), std::nullopt);
}
BENCHMARK(NightAuditKeepingCards)->Unit(benchmark::kMillisecond);

// The first erasing on a motel that kept every card for twenty years: 250,000 stays and
// 60,000 bookings written back, as one operation (a fresh copy for each iteration).
void EraseTwentyYearsOfCards(benchmark::State& state) {
    std::optional<Scratch> scratch;
    for (auto _ : state) {
        state.PauseTiming();
        scratch.reset();
        scratch.emplace(twentyYearsOfCards());
        const Store store = scratch->store();
        state.ResumeTiming();
        benchmark::DoNotOptimize(eraseCardsBefore(store, kFirstNight));
    }
}
BENCHMARK(EraseTwentyYearsOfCards)->Unit(benchmark::kMillisecond)->Iterations(2);

// One sequential read of the reservation file of the motel with bookings, the yardstick of
// the erasing pass beside ReadGuestFile.
void ReadReservationFile(benchmark::State& state) {
    DiskFileSystem files;
    const Store store(DataDirectory(bench::generatedMotel(twentyYearsOfCards())), files);
    readRecords<ReservationRecord>(state, store, store.directory().reservation());
}
BENCHMARK(ReadReservationFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace roomwright
