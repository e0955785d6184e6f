// Runs the benchmarks and ends with what the issue of flat costs asks of each: its time on 40
// years of history over its time on one year (the median of the repetitions, CPU and wall),
// and each command-line run over its yardstick: the `cat` of the same file, or for a backup
// `tar cf` of the same directory and a `sync`.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The commands and the yardstick each is measured against.
const std::map<std::string, std::string> kYardsticks = {
    {"CliBackup", "TarAndSync"},
    {"CliDumpGuests", "CatGuestFile"},
    {"CliDumpReservations", "CatReservationFile"},
    {"CliPrintNewestFolio", "CatGuestFile"},
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) {
                continue;
            }
            const auto cpu = run.counters.find("child_cpu_ms");
            times_[run.run_name.function_name][run.run_name.args] = {
                run.GetAdjustedRealTime(),
                cpu != run.counters.end() ? cpu->second.value : run.GetAdjustedCPUTime()};
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-28s %10s %10s %10s  %s\n", "40 years / 1 year (median)", "1 y CPU",
                    "20 y CPU", "40 y CPU", "40/1 CPU  40/1 wall");
        for (const auto& [name, bySize] : times_) {
            const auto one = bySize.find("1");
            const auto forty = bySize.find("40");
            if (one == bySize.end() || forty == bySize.end()) {
                continue;
            }
            const auto twenty = bySize.find("20");
            std::printf("%-28s %10.3f %10.3f %10.3f  %7.2f  %9.2f\n", name.c_str(), one->second.cpu,
                        twenty != bySize.end() ? twenty->second.cpu : 0.0, forty->second.cpu,
                        forty->second.cpu / one->second.cpu, forty->second.wall / one->second.wall);
        }
        std::printf("\n%-28s %6s  %s\n", "against its yardstick", "years", "CPU   wall");
        for (const auto& [name, yardstick] : kYardsticks) {
            const auto command = times_.find(name);
            const auto against = times_.find(yardstick);
            if (command == times_.end() || against == times_.end()) {
                continue;
            }
            for (const auto& [size, time] : command->second) {
                const auto base = against->second.find(size);
                if (base != against->second.end()) {
                    std::printf("%-28s %6s  %4.2f  %4.2f\n", name.c_str(), size.c_str(),
                                time.cpu / base->second.cpu, time.wall / base->second.wall);
                }
            }
        }
    }

  private:
    struct Time {
        double wall = 0;
        double cpu = 0;
    };
    std::map<std::string, std::map<std::string, Time>> times_; // by name, then by years
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
