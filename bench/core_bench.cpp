// Benchmarks of the core: reading the fare tables (beside the raw read of the
// same bytes, the floor any reader pays), pricing every kind of enquiry, and
// the season calendar. The shipped tables are read from Untin/ beside this
// executable (the build copies them to bin/Untin).
//
// After Google Benchmark's own table it prints the start-up table figures
// against their targets as "summary|…" lines for bench/run.sh.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/stations.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_reader.hpp"
#include "data/table_store.hpp"
#include "pricing/charges.hpp"
#include "pricing/fares.hpp"
#include "pricing/season.hpp"
#include "pricing/sections.hpp"
#include "pricing/split_tickets.hpp"

namespace {

using mkd::TableFile;

constexpr TableFile kStartupFiles[] = {TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari, TableFile::Kyori};

// The folder that holds Untin/: the executable's own.
const std::string& appDir() {
    static const std::string dir = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    return dir;
}

std::string tablePath(TableFile file) { return appDir() + "/Untin/" + std::string(mkd::tableFileInfo(file).name); }

// The floor: open, size, read every byte into a fresh buffer, close.
std::size_t rawRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat info {};
    ::fstat(fd, &info);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    benchmark::DoNotOptimize(bytes.data());
    return got;
}

void requireOk(benchmark::State& state, const mkd::LoadResult& r, const std::string& what) {
    if (!r.ok()) state.SkipWithError(("cannot read " + what).c_str());
}

// ------------------------------------------------------------ one table file

void BM_RawRead_Futu(benchmark::State& state) {
    const std::string path = tablePath(TableFile::Futu);
    std::size_t bytes = 0;
    for (auto _ : state) bytes = rawRead(path);
    if (bytes == 0) state.SkipWithError("cannot read Futu.txt");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_RawRead_Futu);

void BM_LoadTable_Futu(benchmark::State& state) {
    const std::string path = tablePath(TableFile::Futu);
    mkd::FareTable table(mkd::kAllStations);
    for (auto _ : state) {
        const mkd::LoadResult r = mkd::loadTableFile(path, table);
        benchmark::DoNotOptimize(r);
        requireOk(state, r, path);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadTable_Futu);

// The reader alone, on bytes already in memory.
void BM_ParseTable_Futu(benchmark::State& state) {
    std::string bytes;
    const std::string path = tablePath(TableFile::Futu);
    if (!mkd::readFileBytes(path, bytes).ok()) state.SkipWithError("cannot read Futu.txt");
    mkd::FareTable table(mkd::kAllStations);
    for (auto _ : state) benchmark::DoNotOptimize(mkd::readTable(bytes, table));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseTable_Futu);

// ------------------------------------------------------- the start-up set

void BM_RawRead_StartupSet(benchmark::State& state) {
    std::vector<std::string> paths;
    for (TableFile f : kStartupFiles) paths.push_back(tablePath(f));
    for (auto _ : state)
        for (const std::string& p : paths) rawRead(p);
}
BENCHMARK(BM_RawRead_StartupSet);

// What the start screen does: TableStore::load for the four 107 × 107 tables.
void BM_LoadStartupSet(benchmark::State& state) {
    mkd::TableStore tables(appDir());
    for (auto _ : state)
        for (TableFile f : kStartupFiles) requireOk(state, tables.load(f), tables.lastPath());
}
BENCHMARK(BM_LoadStartupSet);

// The same into a new set of tables, as at start-up (every cell empty).
void BM_NewTablesAndLoadStartupSet(benchmark::State& state) {
    for (auto _ : state) {
        auto tables = std::make_unique<mkd::TableStore>(appDir());
        for (TableFile f : kStartupFiles) requireOk(state, tables->load(f), tables->lastPath());
        benchmark::DoNotOptimize(tables.get());
    }
}
BENCHMARK(BM_NewTablesAndLoadStartupSet);

// ------------------------------------------------- the tables of each branch
// Every enquiry with a charge reads its branch's tables again when entered.

void loadFiles(benchmark::State& state, std::initializer_list<TableFile> files) {
    mkd::TableStore tables(appDir());
    for (auto _ : state)
        for (TableFile f : files) requireOk(state, tables.load(f), tables.lastPath());
}
void BM_BranchTables_NonReserved(benchmark::State& s) { loadFiles(s, {TableFile::Jiyu, TableFile::KJiyu}); }
void BM_BranchTables_Reserved(benchmark::State& s) { loadFiles(s, {TableFile::SiteiT, TableFile::KSiteiT}); }
void BM_BranchTables_Green(benchmark::State& s) {
    loadFiles(s, {TableFile::Green, TableFile::GToku, TableFile::KGtoku});
}
void BM_BranchTables_MarineGreen(benchmark::State& s) { loadFiles(s, {TableFile::MarineG}); }
BENCHMARK(BM_BranchTables_NonReserved);
BENCHMARK(BM_BranchTables_Reserved);
BENCHMARK(BM_BranchTables_Green);
BENCHMARK(BM_BranchTables_MarineGreen);

// ---------------------------------------------------------------- pricing
// Each iteration prices one journey, walking through every station pair, each
// passenger and both kinds of trip.

mkd::TableStore& allTables() {
    static mkd::TableStore tables = [] {
        mkd::TableStore t(appDir());
        for (const mkd::TableFileInfo& info : mkd::tableFiles())
            if (!t.load(info.file).ok()) std::fprintf(stderr, "core_bench: cannot read %s\n", t.lastPath().c_str());
        t.load(TableFile::SiteiT);
        t.load(TableFile::KSiteiT);
        return t;
    }();
    return tables;
}

struct Step {
    int counter = 0;
    mkd::Passenger passenger() const { return static_cast<mkd::Passenger>(counter % 3); }
    mkd::Trip trip() const { return (counter / 3) % 2 ? mkd::Trip::RoundTrip : mkd::Trip::OneWay; }
    void next() { counter = (counter + 1) % (6 * 1000003); }
};

// Journeys between the express stops' stations with their preset sections.
std::vector<mkd::Journey> expressJourneys() {
    std::vector<mkd::Journey> out;
    for (int d = 0; d < mkd::kAllStations; ++d)
        for (int a = 0; a < mkd::kAllStations; ++a) {
            const mkd::SectionPreset p = mkd::presetExpressSection(d, a);
            if (d != a && !p.adviseLocalTrain) out.push_back({d, a, p.section});
        }
    return out;
}

std::vector<mkd::Journey> marineJourneys() {
    std::vector<mkd::Journey> out;
    for (int d = 0; d <= 20; ++d)
        for (int a = 0; a <= 20; ++a) {
            const mkd::SectionPreset p = mkd::presetMarineSection(d, a);
            if (d != a && !p.adviseLocalTrain) out.push_back({d, a, p.section});
        }
    return out;
}

void BM_Price_Local(benchmark::State& state) {
    const mkd::TableStore& tables = allTables();
    Step step;
    int d = 0, a = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mkd::priceOrdinary(tables, step.passenger(), step.trip(), d, a));
        step.next();
        if (++a == mkd::kAllStations) a = 0, d = (d + 1) % mkd::kAllStations;
    }
}
BENCHMARK(BM_Price_Local);

template <class Price>
void priceCharged(benchmark::State& state, const std::vector<mkd::Journey>& journeys, Price price) {
    Step step;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(price(step, journeys[i]));
        step.next();
        if (++i == journeys.size()) i = 0;
    }
}

void BM_Price_NonReserved(benchmark::State& state) {
    const auto journeys = expressJourneys();
    priceCharged(state, journeys, [&](const Step& s, const mkd::Journey& j) {
        const auto routing = s.counter % 2 ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;
        return mkd::priceNonReserved(allTables(), s.passenger(), s.trip(), routing, j);
    });
}
void BM_Price_Reserved(benchmark::State& state) {
    const auto journeys = expressJourneys();
    priceCharged(state, journeys, [&](const Step& s, const mkd::Journey& j) {
        const auto routing = s.counter % 2 ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;
        return mkd::priceReserved(allTables(), s.passenger(), s.trip(), routing, j);
    });
}
void BM_Price_Green(benchmark::State& state) {
    const auto journeys = expressJourneys();
    priceCharged(state, journeys, [&](const Step& s, const mkd::Journey& j) {
        const auto routing = s.counter % 2 ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;
        return mkd::priceGreen(allTables(), s.passenger(), s.trip(), routing, j);
    });
}
void BM_Price_MarineReserved(benchmark::State& state) {
    const auto journeys = marineJourneys();
    priceCharged(state, journeys, [&](const Step& s, const mkd::Journey& j) {
        const auto passenger = s.counter % 2 ? mkd::Passenger::Child : mkd::Passenger::Adult;
        const auto season = static_cast<mkd::Season>(s.counter % 3);
        return mkd::priceMarineReserved(allTables(), passenger, s.trip(), season, j);
    });
}
void BM_Price_MarineGreen(benchmark::State& state) {
    const auto journeys = marineJourneys();
    priceCharged(state, journeys, [&](const Step& s, const mkd::Journey& j) {
        const auto passenger = s.counter % 2 ? mkd::Passenger::Child : mkd::Passenger::Adult;
        return mkd::priceMarineGreen(allTables(), passenger, s.trip(), j);
    });
}
BENCHMARK(BM_Price_NonReserved);
BENCHMARK(BM_Price_Reserved);
BENCHMARK(BM_Price_Green);
BENCHMARK(BM_Price_MarineReserved);
BENCHMARK(BM_Price_MarineGreen);

// ------------------------------------------------------- split tickets

// The local result screen's question: one journey, from fresh tables as
// the screen asks it (岡山 → 下灘, the longest way through a junction).
void BM_Split_OnePair(benchmark::State& state) {
    const mkd::TableStore& tables = allTables();
    for (auto _ : state)
        benchmark::DoNotOptimize(mkd::cheapestSplit(tables, mkd::Passenger::Adult, mkd::Trip::OneWay, 0, 83));
}
BENCHMARK(BM_Split_OnePair);

// mkd-fare split --all: every ordered pair, one planner.
void BM_Split_AllPairs(benchmark::State& state) {
    const mkd::TableStore& tables = allTables();
    for (auto _ : state) {
        const mkd::SplitPlanner planner(tables, mkd::Passenger::Adult);
        double saved = 0;
        for (int d = 0; d < mkd::kAllStations; ++d)
            for (int a = 0; a < mkd::kAllStations; ++a)
                if (d != a) saved += planner.plan(d, a).saving;
        benchmark::DoNotOptimize(saved);
    }
}
BENCHMARK(BM_Split_AllPairs)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------- the calendar

// Every date the travel-date screens can name (31 days to every month,
// 2002–2008), rolled over and classified as "次へ" does.
void BM_Season_AllListedDates(benchmark::State& state) {
    for (auto _ : state) {
        int busy = 0;
        for (int y = mkd::kFirstListedYear; y <= mkd::kLastListedYear; ++y)
            for (int m = 1; m <= 12; ++m)
                for (int d = 1; d <= 31; ++d) {
                    const mkd::Date date = mkd::rollOver(y, m, d);
                    busy += mkd::seasonOf(date) == mkd::Season::Busy;
                }
        benchmark::DoNotOptimize(busy);
    }
    state.SetItemsProcessed(state.iterations() * (mkd::kLastListedYear - mkd::kFirstListedYear + 1) * 12 * 31);
}
BENCHMARK(BM_Season_AllListedDates);

// -------------------------------------------------------- the targets

// Keeps the median (or the only run) of every benchmark, in nanoseconds.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, as Google Benchmark's own reporter does.
    SummaryReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            const double ns = run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto& slot = nanoseconds[run.run_name.function_name];
            if (median || slot == 0) slot = ns;
        }
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& ns = reporter.nanoseconds;
    auto get = [&](const char* name) {
        auto it = ns.find(name);
        return it == ns.end() ? 0.0 : it->second;
    };
    const double load = get("BM_LoadStartupSet");
    const double raw = get("BM_RawRead_StartupSet");
    if (load > 0 && raw > 0) {
        const double ratio = load / raw;
        std::printf("summary|start-up tables vs raw read|%.2fx (%.0f us vs %.0f us)|<= 3x|%s\n", ratio, load / 1e3,
                    raw / 1e3, ratio <= 3.0 ? "met" : "MISSED");
        std::printf("summary|start-up tables, time|%.3f ms|< 1 ms|%s\n", load / 1e6, load < 1e6 ? "met" : "MISSED");
    }
    if (const double one = get("BM_Split_OnePair"); one > 0)
        std::printf("summary|split tickets, one pair|%.3f ms|< 1 ms|%s\n", one / 1e6, one < 1e6 ? "met" : "MISSED");
    if (const double all = get("BM_Split_AllPairs"); all > 0)
        std::printf("summary|split tickets, all 11,342 pairs|%.3f s|< 1 s|%s\n", all / 1e9,
                    all < 1e9 ? "met" : "MISSED");
    return 0;
}
