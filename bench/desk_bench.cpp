// How the clerk's actions hold up as a motel keeps every stay for decades.
//
// Each action runs on generated data directories of 1, 20 and 40 years (bench_motel.h: 100
// rooms, 12,500 stays a year, 70 guests in house as the newest records, 3,000 bookings a year
// and 120 open ones ahead), side by side with one sequential read of the files it may need, in
// the same run; the run ends with each action's 40-year time over its 1-year time
// (bench_main.cpp). The directories are generated once under $TMPDIR/roomwright-bench/ and
// reused; an action that writes works on a copy. Times under load: compare the CPU column, and
// each action with the read in the same run. `syncs` counts the fsyncs an action waits for.
//
//   nice build/bench/bin/roomwright_bench

#include "bench_motel.h"
#include "frontdesk/check_in.h"
#include "frontdesk/check_out.h"
#include "frontdesk/departures.h"
#include "frontdesk/folio.h"
#include "frontdesk/folio_list.h"
#include "frontdesk/guest_folio.h"
#include "frontdesk/housekeeping.h"
#include "messages/messages.h"
#include "reports/desk_lists.h"
#include "reports/night_audit.h"
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

using bench::MotelShape;

namespace fs = std::filesystem;

// The desk's motel: 100 rooms, 70 guests in house (one in seven leaving today), 12,500 stays
// and 3,000 bookings a year, 120 bookings open ahead.
MotelShape deskShape(long years) {
    MotelShape shape;
    shape.years = years;
    shape.openAhead = 120;
    return shape;
}
// The night audit's: the same, every guest staying on and every third room dirty.
MotelShape auditShape(long years) {
    MotelShape shape = deskShape(years);
    shape.dueOutEvery = 0;
    shape.stayOnNights = 10'000;
    shape.dirtyEvery = 3;
    return shape;
}
const CivilDate kToday = MotelShape{}.today;

// The disk, counting the syncs the clerk waits for.
class CountingSyncs : public DiskFileSystem {
  public:
    void sync(const Path& file) override {
        ++syncs;
        DiskFileSystem::sync(file);
    }
    void syncDirectory(const Path& directory) override {
        ++syncs;
        DiskFileSystem::syncDirectory(directory);
    }
    void syncTogether(std::span<const Path> files, std::span<const Path> directories) override {
        ++syncs;
        DiskFileSystem::syncTogether(files, directories);
    }
    long syncs = 0;
};

// Syncs per iteration, as a counter of the benchmark.
void reportSyncs(benchmark::State& state, const CountingSyncs& disk, long before) {
    state.counters["syncs"] =
        static_cast<double>(disk.syncs - before) / static_cast<double>(state.iterations());
}

// A desk on a motel: the store the program keeps while it runs, claimed as the program claims
// it (both indexes read and saved), and the newest in-house guest as the folio window shows it
// once chosen.
class Desk {
  public:
    explicit Desk(const fs::path& root) : store_(DataDirectory(root), files_) {
        departuresToday(store_, kToday);
        arrivalsOn(store_, kToday);
        store_.saveIndexes();
        const auto entries = guestSelectorEntries(store_);
        if (entries.empty()) {
            throw std::runtime_error("no guest in house in " + root.string());
        }
        selector_ = entries.back();
        folio_ =
            std::to_string(static_cast<long>(guestOfEntry(store_, selector_)->second.FolioNumber));
    }
    const Store& store() const { return store_; }
    CountingSyncs& files() { return files_; }
    const SelectorEntry& selector() const { return selector_; }
    const std::string& folio() const { return folio_; }
    Found<GuestRecord> guest() const { return shownGuest(store_, selector_, folio_); }

  private:
    CountingSyncs files_;
    Store store_;
    SelectorEntry selector_;
    std::string folio_;
};

Desk& deskOf(long years) {
    static std::map<long, std::unique_ptr<Desk>> desks;
    auto& desk = desks[years];
    if (!desk) {
        desk = std::make_unique<Desk>(bench::generatedMotel(deskShape(years)));
    }
    return *desk;
}

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
    const fs::path root = bench::generatedMotel(deskShape(state.range(0)));
    for (auto _ : state) {
        catFile(DataDirectory(root).guest());
    }
}

void SequentialReadReservations(benchmark::State& state) {
    const fs::path root = bench::generatedMotel(deskShape(state.range(0)));
    for (auto _ : state) {
        catFile(DataDirectory(root).reservation());
    }
}

// What the main window does at the program's start: a fresh store each time, on the indexes
// the run before it saved, lists the guests due out and the bookings arriving today.
void StartUp(benchmark::State& state) {
    const fs::path root = bench::generatedMotel(deskShape(state.range(0)));
    deskOf(state.range(0));
    DiskFileSystem files;
    for (auto _ : state) {
        const Store store(DataDirectory(root), files);
        benchmark::DoNotOptimize(departuresToday(store, kToday));
        benchmark::DoNotOptimize(arrivalsOn(store, kToday));
    }
}

// The same with no saved index (the first start, or one after an index was found doubtful):
// each index is built by one scan of its file.
void StartUpRebuildingTheIndexes(benchmark::State& state) {
    const fs::path root = bench::generatedMotel(deskShape(state.range(0)));
    DiskFileSystem files;
    const DataDirectory directory(root);
    for (auto _ : state) {
        state.PauseTiming();
        files.remove(directory.inHouseIndex());
        files.remove(directory.bookingIndex());
        state.ResumeTiming();
        const Store store(directory, files);
        benchmark::DoNotOptimize(departuresToday(store, kToday));
        benchmark::DoNotOptimize(arrivalsOn(store, kToday));
    }
    deskOf(state.range(0)).store().saveIndexes();
}

void OpenFolioWindow(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(guestSelectorEntries(desk.store()));
        benchmark::DoNotOptimize(roomMoveEntries(desk.store()));
    }
}

void ChooseGuest(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        const auto guest = guestOfEntry(desk.store(), desk.selector());
        benchmark::DoNotOptimize(guestView(guest->second));
        const auto folio = static_cast<long>(guest->second.FolioNumber);
        benchmark::DoNotOptimize(folioListing(desk.store(), folio));
        benchmark::DoNotOptimize(hasLiveMessage(desk.store(), folio));
    }
}

// The folio window's "+": one more night, unless a booking of the room arrives then.
void FolioExtraNight(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    const GuestView view = guestView(desk.guest()->second);
    for (auto _ : state) {
        benchmark::DoNotOptimize(oneMoreNight(desk.store(), kToday, view.departureDate, view.room));
    }
}

void PostCharge(benchmark::State& state) {
    Desk& desk = deskOf(state.range(0));
    const long before = desk.files().syncs;
    for (auto _ : state) {
        const auto guest = desk.guest();
        benchmark::DoNotOptimize(
            postToFolio(desk.store(), guest->second, "S - Stamp", "0.5", kToday));
        benchmark::DoNotOptimize(
            folioListing(desk.store(), static_cast<long>(guest->second.FolioNumber)));
    }
    reportSyncs(state, desk.files(), before);
}

void SaveFolio(benchmark::State& state) {
    Desk& desk = deskOf(state.range(0));
    const long before = desk.files().syncs;
    for (auto _ : state) {
        const auto guest = desk.guest();
        const GuestView view = guestView(guest->second);
        const FolioChanges changes{view.boxes, view.payCode, view.room, view.rate,
                                   view.departureDate};
        benchmark::DoNotOptimize(
            saveFolioChanges(desk.store(), guest->first, guest->second, changes));
    }
    reportSyncs(state, desk.files(), before);
}

void PrintFolio(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            printedFolio(desk.store(), desk.guest()->second, FolioVariant::InHouse));
    }
}

void CheckOut(benchmark::State& state) {
    Desk& desk = deskOf(state.range(0));
    long syncs = 0;
    for (auto _ : state) {
        const auto guest = desk.guest();
        const auto room = findRoom(desk.store(), guest->second.RoomNumber.trimmed());
        const long before = desk.files().syncs;
        checkOut(desk.store(), guest->first, guest->second, "10:15:00 AM");
        syncs += desk.files().syncs - before;
        benchmark::DoNotOptimize(guestSelectorEntries(desk.store()));
        state.PauseTiming();
        asOneOperation(desk.store(), [&] {
            desk.store().guests().write(guest->first, guest->second);
            desk.store().rooms().write(room->first, room->second);
        });
        state.ResumeTiming();
    }
    state.counters["syncs"] = static_cast<double>(syncs) / static_cast<double>(state.iterations());
}

// Picking a room in the check-in window: the overbooking warning, the rate and the tax.
void CheckInPickRoom(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    const std::string room = roomsForCheckIn(desk.store()).back().room;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bookingArrivesOn(desk.store(), room, kToday, kToday));
        benchmark::DoNotOptimize(rateOfRoom(desk.store(), room));
        benchmark::DoNotOptimize(taxRate(desk.store()));
    }
}

// A walk-in checked in ("Check In"), and the main window loaded again with its lists; on a
// copy of the motel.
void WalkInCheckIn(benchmark::State& state) {
    const fs::path root = bench::scratchMotel(deskShape(state.range(0)));
    {
        CountingSyncs disk;
        Desk desk(root);
        WalkIn walkIn;
        walkIn.guest.lastName = "Walker";
        walkIn.guest.firstName = "Pat";
        walkIn.guest.address = "1 Road";
        walkIn.guest.city = "Town";
        walkIn.guest.state = "Ohio";
        walkIn.guest.zip = "45501";
        walkIn.guest.adults = "1";
        walkIn.room = roomsForCheckIn(desk.store()).back().room;
        walkIn.payCode = "C = Cash";
        walkIn.rate = "59.95";
        walkIn.days = "1";
        walkIn.stayTotal = "64.15";
        walkIn.shift = "A";
        walkIn.clerk = "JS";
        const long before = desk.files().syncs;
        for (auto _ : state) {
            if (checkWalkIn(walkIn, kToday)) {
                state.SkipWithError("the walk-in was refused");
                break;
            }
            benchmark::DoNotOptimize(registerWalkIn(desk.store(), walkIn, kToday, "3:00:00 PM"));
            benchmark::DoNotOptimize(departuresToday(desk.store(), kToday));
            benchmark::DoNotOptimize(arrivalsOn(desk.store(), kToday));
        }
        reportSyncs(state, desk.files(), before);
    }
    fs::remove_all(root);
}

void TapeChart(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(tapeChart(desk.store(), kToday, kToday));
    }
}

// Picking a room in the reservation entry window: the overbooking check of the stay.
void ReservationRoomCheck(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            overbooked(desk.store(), "101", {kToday, kToday.plusDays(2)}, kToday));
    }
}

// "Go" on a confirmation number, and the name list, of the reservation window.
void RetrieveReservation(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    const long newest = state.range(0) * deskShape(state.range(0)).reservationsPerYear + 100;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            openReservationByNumber(desk.store(), static_cast<double>(newest)));
        benchmark::DoNotOptimize(openReservationNames(desk.store()));
    }
}

// The main menu's lists of today's arrivals and departures.
void DeskLists(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        for (const DeskListKind kind : {DeskListKind::Arrivals, DeskListKind::Departures}) {
            benchmark::DoNotOptimize(deskList(desk.store(), kind, kToday, kToday));
        }
    }
}

// The main window's "Print Housekeeping Report".
void HousekeepingReport(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(housekeepingReport(desk.store(), kToday));
    }
}

void GuestList(benchmark::State& state) {
    const Desk& desk = deskOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(guestList(desk.store(), kToday));
    }
}

// "Run" in the night audit window: each iteration the audit of the next night, charging the
// 70 stay-overs and building both reports, on a copy of the motel.
void NightAudit(benchmark::State& state) {
    const fs::path root = bench::scratchMotel(auditShape(state.range(0)));
    {
        Desk desk(root);
        long night = 0;
        // The first audit on a motel whose cards were never erased looks at every stay and
        // booking once (EraseTwentyYearsOfCards measures that); the nights after it are the
        // clerk's.
        runNightAudit(desk.store(), kToday.plusDays(night++));
        const long before = desk.files().syncs;
        for (auto _ : state) {
            benchmark::DoNotOptimize(runNightAudit(desk.store(), kToday.plusDays(night++)));
        }
        reportSyncs(state, desk.files(), before);
    }
    fs::remove_all(root);
}

// Years of history: 1, 20, 40; the median of seven repetitions of at least 50 ms each.
void everySize(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->MinTime(0.05)->Repetitions(7);
    b->ReportAggregatesOnly(true);
}

BENCHMARK(SequentialReadGuest)->Apply(everySize);
BENCHMARK(SequentialReadReservations)->Apply(everySize);
BENCHMARK(StartUp)->Apply(everySize);
BENCHMARK(StartUpRebuildingTheIndexes)->Apply(everySize);
BENCHMARK(OpenFolioWindow)->Apply(everySize);
BENCHMARK(ChooseGuest)->Apply(everySize);
BENCHMARK(FolioExtraNight)->Apply(everySize);
BENCHMARK(PostCharge)->Apply(everySize);
BENCHMARK(SaveFolio)->Apply(everySize);
BENCHMARK(PrintFolio)->Apply(everySize);
BENCHMARK(CheckOut)->Apply(everySize);
BENCHMARK(CheckInPickRoom)->Apply(everySize);
BENCHMARK(WalkInCheckIn)->Apply(everySize);
BENCHMARK(TapeChart)->Apply(everySize);
BENCHMARK(ReservationRoomCheck)->Apply(everySize);
BENCHMARK(RetrieveReservation)->Apply(everySize);
BENCHMARK(DeskLists)->Apply(everySize);
BENCHMARK(HousekeepingReport)->Apply(everySize);
BENCHMARK(GuestList)->Apply(everySize);
BENCHMARK(NightAudit)->Apply(everySize);

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

DataDirectory deskDirectory(long years) {
    return DataDirectory(bench::generatedMotel(deskShape(years)));
}

std::string cli(long years) {
    return std::string(ROOMWRIGHT_CLI) + " --data-dir '" + deskDirectory(years).root().string() +
           "' ";
}

void CatGuestFile(benchmark::State& state) {
    runEach(state, "cat '" + deskDirectory(state.range(0)).guest().string() + "'");
}

void CatReservationFile(benchmark::State& state) {
    runEach(state, "cat '" + deskDirectory(state.range(0)).reservation().string() + "'");
}

void CliPrintNewestFolio(benchmark::State& state) {
    const long newest = state.range(0) * deskShape(state.range(0)).staysPerYear;
    runEach(state, cli(state.range(0)) + "print folio " + std::to_string(newest));
}

void CliDumpGuests(benchmark::State& state) {
    runEach(state, cli(state.range(0)) + "dump guests");
}

void CliDumpReservations(benchmark::State& state) {
    runEach(state, cli(state.range(0)) + "dump reservations");
}

void largeOnly(benchmark::internal::Benchmark* b) {
    b->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(7);
    b->ReportAggregatesOnly(true);
}

// A backup as the clerk makes one onto a stick, beside `tar cf` of the same directory and a
// `sync`: both write every byte once and wait until it is on the disk.
fs::path backupFolder() {
    return fs::temp_directory_path() / "roomwright-bench" / "backups";
}

void TarAndSync(benchmark::State& state) {
    fs::create_directories(backupFolder());
    runEach(state, "tar cf '" + (backupFolder() / "motel.tar").string() + "' -C '" +
                       deskDirectory(state.range(0)).root().string() + "' . && sync");
}

void CliBackup(benchmark::State& state) {
    runEach(state, cli(state.range(0)) + "backup '" + backupFolder().string() + "' --keep 1");
}

void backupSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
    b->ReportAggregatesOnly(true);
}

BENCHMARK(TarAndSync)->Apply(backupSizes);
BENCHMARK(CliBackup)->Apply(backupSizes);
BENCHMARK(CatGuestFile)->Apply(largeOnly);
BENCHMARK(CliPrintNewestFolio)->Apply(largeOnly);
BENCHMARK(CliDumpGuests)->Apply(largeOnly);
BENCHMARK(CatReservationFile)->Apply(largeOnly);
BENCHMARK(CliDumpReservations)->Apply(largeOnly);

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
