// How the clerk's actions hold up as a motel keeps every stay for decades.
//
// Each action runs on generated data directories of 1, 20 and 40 years (bench_motel.h: 100
// rooms, 12,500 stays a year, about 70 guests in house as the newest records, 3,000
// reservations a year), side by side with one sequential read of the files it may need, in
// the same run. The directories are generated once under $TMPDIR/roomwright-bench/ and reused;
// ROOMWRIGHT_BENCH_DIR=DIR measures an existing data directory instead, under every size.
// Times under load: compare the CPU column, and each action with the read in the same run.
//
//   nice build/bench/bin/roomwright_bench

#include "bench_motel.h"
#include "frontdesk/check_out.h"
#include "frontdesk/departures.h"
#include "frontdesk/folio.h"
#include "frontdesk/folio_list.h"
#include "frontdesk/guest_folio.h"
#include "messages/messages.h"
#include "reservations/reservations.h"
#include "reservations/tape_chart.h"
#include "store/charges.h"
#include "store/lookups.h"
#include "store/settings.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace roomwright {
namespace {

using bench::generatedMotel;
using bench::MotelShape;

namespace fs = std::filesystem;

// The motel of each benchmark: 100 rooms, 70 guests in house (one in seven leaving today),
// 12,500 stays and 3,000 bookings a year.
MotelShape shapeOf(long years) {
    MotelShape shape;
    shape.years = years;
    return shape;
}
const CivilDate kToday = MotelShape{}.today;

// The data directory of a benchmark: 1, 20 or 40 years, or the one given.
struct Motel {
    fs::path root;
    long newestFolio = 0;
};

Motel motelOf(long years) {
    static std::map<long, Motel> motels;
    auto& motel = motels[years];
    if (motel.root.empty()) {
        if (const char* given = std::getenv("ROOMWRIGHT_BENCH_DIR")) {
            motel.root = given;
        } else {
            motel.root = generatedMotel(shapeOf(years));
        }
        DiskFileSystem files;
        motel.newestFolio = lastFolioNumber(Store(DataDirectory(motel.root), files));
        if (motel.newestFolio == 0) {
            motel.newestFolio = years * shapeOf(years).staysPerYear;
        }
    }
    return motel;
}

// A desk on one motel: the store the program keeps while it runs, and the newest in-house
// guest as the folio window shows it once chosen.
class Desk {
  public:
    explicit Desk(long years) : motel_(motelOf(years)), store_(DataDirectory(motel_.root), files_) {
        const auto entries = guestSelectorEntries(store_);
        if (entries.empty()) {
            throw std::runtime_error("no guest in house in " + motel_.root.string());
        }
        selector_ = entries.back();
        folio_ =
            std::to_string(static_cast<long>(guestOfEntry(store_, selector_)->second.FolioNumber));
    }
    const Store& store() const { return store_; }
    const SelectorEntry& selector() const { return selector_; }
    const std::string& folio() const { return folio_; }
    const Motel& motel() const { return motel_; }

  private:
    Motel motel_;
    DiskFileSystem files_;
    Store store_;
    SelectorEntry selector_;
    std::string folio_;
};

// One pass over a file in 1 MiB blocks, as `cat` reads it.
void catFile(const fs::path& file) {
    std::vector<char> block(1 << 20);
    std::FILE* in = std::fopen(file.string().c_str(), "rb");
    if (in == nullptr) {
        throw std::runtime_error("cannot read " + file.string());
    }
    while (std::fread(block.data(), 1, block.size(), in) == block.size()) {
    }
    std::fclose(in);
}

void SequentialReadGuest(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    for (auto _ : state) {
        catFile(DataDirectory(motel.root).guest());
    }
}

// A fresh store each time: the program has just started, on the in-house index the run
// before it saved.
void StartUp(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    DiskFileSystem files;
    benchmark::DoNotOptimize(departuresToday(Store(DataDirectory(motel.root), files), kToday));
    for (auto _ : state) {
        const Store store(DataDirectory(motel.root), files);
        benchmark::DoNotOptimize(departuresToday(store, kToday));
    }
}

// The same with no saved index (the first start, or one after the index was found doubtful):
// the index is built by one scan of the guest file.
void StartUpRebuildingTheIndex(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    DiskFileSystem files;
    const DataDirectory directory(motel.root);
    for (auto _ : state) {
        state.PauseTiming();
        files.remove(directory.inHouseIndex());
        state.ResumeTiming();
        const Store store(directory, files);
        benchmark::DoNotOptimize(departuresToday(store, kToday));
    }
}

void OpenFolioWindow(benchmark::State& state) {
    const Desk desk(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(guestSelectorEntries(desk.store()));
        benchmark::DoNotOptimize(roomMoveEntries(desk.store()));
    }
}

void ChooseGuest(benchmark::State& state) {
    const Desk desk(state.range(0));
    for (auto _ : state) {
        const auto guest = guestOfEntry(desk.store(), desk.selector());
        benchmark::DoNotOptimize(guestView(guest->second));
        const auto folio = static_cast<long>(guest->second.FolioNumber);
        benchmark::DoNotOptimize(folioListing(desk.store(), folio, FolioGap::Chosen));
        benchmark::DoNotOptimize(hasLiveMessage(desk.store(), folio));
    }
}

void PostCharge(benchmark::State& state) {
    const Desk desk(state.range(0));
    for (auto _ : state) {
        const auto guest = shownGuest(desk.store(), desk.selector(), desk.folio());
        benchmark::DoNotOptimize(
            postToFolio(desk.store(), guest->second, "S - Stamp", "0.5", kToday));
        benchmark::DoNotOptimize(folioListing(
            desk.store(), static_cast<long>(guest->second.FolioNumber), FolioGap::Posted));
    }
}

void SaveFolio(benchmark::State& state) {
    const Desk desk(state.range(0));
    for (auto _ : state) {
        const auto guest = shownGuest(desk.store(), desk.selector(), desk.folio());
        const GuestView view = guestView(guest->second);
        const FolioChanges changes{view.boxes, view.payCode, view.room, view.rate,
                                   view.departureDate};
        benchmark::DoNotOptimize(
            saveFolioChanges(desk.store(), guest->first, guest->second, changes));
    }
}

void PrintFolio(benchmark::State& state) {
    const Desk desk(state.range(0));
    for (auto _ : state) {
        const auto guest = shownGuest(desk.store(), desk.selector(), desk.folio());
        benchmark::DoNotOptimize(printedFolio(desk.store(), guest->second, FolioVariant::InHouse));
    }
}

void CheckOut(benchmark::State& state) {
    const Desk desk(state.range(0));
    for (auto _ : state) {
        const auto guest = shownGuest(desk.store(), desk.selector(), desk.folio());
        const auto room = findRoom(desk.store(), guest->second.RoomNumber.trimmed());
        checkOut(desk.store(), guest->first, guest->second, "10:15:00 AM");
        benchmark::DoNotOptimize(guestSelectorEntries(desk.store()));
        state.PauseTiming();
        desk.store().guests().write(guest->first, guest->second);
        desk.store().rooms().write(room->first, room->second);
        state.ResumeTiming();
    }
}

// The command-line tool as the clerk runs it, its output thrown away, beside `cat` of the
// same file. The processor time the commands took (child_cpu_ms) is steadier than the wall
// time on a shared machine.
double childCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void runEach(benchmark::State& state, const std::string& command) {
    const double before = childCpuMs();
    for (auto _ : state) {
        if (std::system((command + " > /dev/null").c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
        }
    }
    state.counters["child_cpu_ms"] =
        (childCpuMs() - before) / static_cast<double>(state.iterations());
}

std::string cli(const Motel& motel) {
    return std::string(ROOMWRIGHT_CLI) + " --data-dir '" + motel.root.string() + "' ";
}

void CatGuestFile(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    runEach(state, "cat '" + DataDirectory(motel.root).guest().string() + "'");
}

void CatReservationFile(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    runEach(state, "cat '" + DataDirectory(motel.root).reservation().string() + "'");
}

void CliPrintNewestFolio(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    runEach(state, cli(motel) + "print folio " + std::to_string(motel.newestFolio));
}

void CliDumpGuests(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    runEach(state, cli(motel) + "dump guests");
}

void CliDumpReservations(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    runEach(state, cli(motel) + "dump reservations");
}

// Years of history: 1, 20, 40.
void everySize(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(5);
}
void largeOnly(benchmark::internal::Benchmark* b) {
    b->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(SequentialReadGuest)->Apply(everySize);
BENCHMARK(StartUp)->Apply(everySize);
BENCHMARK(StartUpRebuildingTheIndex)->Apply(everySize);
BENCHMARK(OpenFolioWindow)->Apply(everySize);
BENCHMARK(ChooseGuest)->Apply(everySize);
BENCHMARK(PostCharge)->Apply(everySize);
BENCHMARK(SaveFolio)->Apply(everySize);
BENCHMARK(PrintFolio)->Apply(everySize);
BENCHMARK(CheckOut)->Apply(everySize);
BENCHMARK(CatGuestFile)->Apply(largeOnly);
BENCHMARK(CliPrintNewestFolio)->Apply(largeOnly);
BENCHMARK(CliDumpGuests)->Apply(largeOnly);
BENCHMARK(CatReservationFile)->Apply(largeOnly);
BENCHMARK(CliDumpReservations)->Apply(largeOnly);

// The overbooking check of a new reservation, and the names of the open ones: each reads
// the reservation file.
void OverbookingCheck(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    DiskFileSystem files;
    const Store store(DataDirectory(motel.root), files);
    for (auto _ : state) {
        benchmark::DoNotOptimize(overbooked(store, "101", {kToday, kToday.plusDays(2)}, kToday));
    }
}
BENCHMARK(OverbookingCheck)->Apply(largeOnly);

void OpenReservationNames(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    DiskFileSystem files;
    const Store store(DataDirectory(motel.root), files);
    for (auto _ : state) {
        benchmark::DoNotOptimize(openReservationNames(store));
    }
}
BENCHMARK(OpenReservationNames)->Apply(largeOnly);

// The tape chart as its window opens it: the rooms, the in-house stays and one pass over the
// reservation file, beside one sequential read of that file.
void TapeChartModel(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    DiskFileSystem files;
    const Store store(DataDirectory(motel.root), files);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tapeChart(store, kToday, kToday));
    }
}
BENCHMARK(TapeChartModel)->Apply(everySize);

void SequentialReadReservations(benchmark::State& state) {
    const Motel motel = motelOf(state.range(0));
    for (auto _ : state) {
        catFile(DataDirectory(motel.root).reservation());
    }
}
BENCHMARK(SequentialReadReservations)->Apply(everySize);

// A stay's charge file is read whole by every folio screen and printout.
void ReadLongChargeFile(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() / "roomwright-bench" / "charges";
    DiskFileSystem files;
    const DataDirectory directory(root);
    directory.ensureExists(files);
    const Store store(directory, files);
    ChargeLine line{"101  ", "A", "JS", kToday, "E", "Room Rent", 59.95, std::nullopt, 1};
    {
        std::ofstream out(directory.chargeFile(1), std::ios::binary);
        for (long i = 0; i < state.range(0); ++i) {
            out << formatChargeLine(line) << "\r\n";
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(readCharges(store, 1));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadLongChargeFile)->Arg(10'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace roomwright
