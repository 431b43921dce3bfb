#include "document/csv.h"
#include "document/datafile.h"
#include "ratings/teamratings.h"
#include "support/random_league.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

namespace {

// A full league: 32 teams with every slot of every team filled.
kvx::League fullLeague() {
    kvx::League league = kvx::test::randomLeague(32, 1);
    kvx::test::Random random(2);
    for (auto& team : league.Teams)
        for (auto& player : team.Players)
            player = kvx::test::randomPlayer(random);
    return league;
}

void saveDataFile(benchmark::State& state) {
    const kvx::League league = fullLeague();
    kvx::test::TempDir dir;
    for (auto _ : state)
        kvx::Save_Data_File(league, dir.file("league.kvx"));
}

void loadDataFile(benchmark::State& state) {
    kvx::test::TempDir dir;
    kvx::Save_Data_File(fullLeague(), dir.file("league.kvx"));
    for (auto _ : state) {
        kvx::League league;
        benchmark::DoNotOptimize(kvx::Load_Data_File(league, dir.file("league.kvx")));
    }
}

void csvWrite(benchmark::State& state) {
    const kvx::League league = fullLeague();
    for (auto _ : state)
        benchmark::DoNotOptimize(kvx::leagueToCsv(league));
}

// The whole trip a spreadsheet user makes: the league written as CSV and read back.
void csvWriteAndRead(benchmark::State& state) {
    const kvx::League league = fullLeague();
    for (auto _ : state) {
        const kvx::League back = kvx::leagueFromCsv(kvx::leagueToCsv(league));
        benchmark::DoNotOptimize(back.Teams.data());
    }
}

void teamRatings(benchmark::State& state) {
    const kvx::League league = fullLeague();
    kvx::RatingScale scale{};
    for (auto& entry : scale) {
        entry.Weights.fill(3);
        entry.StartersMinusOne = 2;
        entry.Backups = 2;
    }
    for (auto _ : state) {
        kvx::TeamRatingsTable table;
        table.rebuild(league, scale);
        benchmark::DoNotOptimize(table.rows().data());
    }
}

BENCHMARK(saveDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(loadDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(csvWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(csvWriteAndRead)->Unit(benchmark::kMillisecond);
BENCHMARK(teamRatings)->Unit(benchmark::kMicrosecond);

} // namespace
