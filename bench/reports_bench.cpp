// The morning and night reports on twenty years of stays: the housekeeping report and the
// night audit each read the guest file once, so each should cost about one sequential read
// of it, which ReadGuestFile measures as the yardstick.

#include "bench_motel.h"
#include "frontdesk/housekeeping.h"
#include "reports/night_audit.h"
#include "store/disk/record_file.h"
#include "store/settings.h"

#include <benchmark/benchmark.h>

#include <filesystem>

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

// The motel as each run of the benchmarks finds it: the night audit writes to it.
class TwentyYears {
  public:
    TwentyYears() : root_(bench::scratchMotel(twentyYears())) {}
    ~TwentyYears() { std::filesystem::remove_all(root_); }
    Store store() { return Store(DataDirectory(root_), files_); }

  private:
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
