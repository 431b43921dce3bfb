#pragma once

#include "rom/romio.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace kvx::bench {

// A full synthetic image of an edition, and a document that replaces every team of it.
struct RomFixture {
    RomImage image;
    League league;
};

inline void importImage(benchmark::State& state, Edition edition,
                        const std::function<RomFixture()>& make) {
    const RomFixture fixture = make();
    for (auto _ : state) {
        std::vector<TeamRecord> teams;
        GeneralInfoRecord info;
        benchmark::DoNotOptimize(Import_ROM(edition, fixture.image, teams, &info, 0));
    }
}

inline void exportImage(benchmark::State& state, Edition edition,
                        const std::function<RomFixture()>& make) {
    const RomFixture fixture = make();
    RomImage image = fixture.image;
    for (auto _ : state) {
        // Each pass starts from the unchanged image, refreshed in place and outside the timing,
        // so that the figure is the export's own work rather than the allocator's.
        state.PauseTiming();
        image = fixture.image;
        state.ResumeTiming();
        benchmark::DoNotOptimize(Export_ROM(edition, fixture.league, image));
    }
}

// Registers the import and export benchmarks of one edition; call it from a namespace-scope
// initialiser.
inline bool registerRomBenchmarks(const std::string& name, Edition edition,
                                  const std::function<RomFixture()>& make) {
    benchmark::RegisterBenchmark(("import/" + name).c_str(), [=](benchmark::State& state) {
        importImage(state, edition, make);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("export/" + name).c_str(), [=](benchmark::State& state) {
        exportImage(state, edition, make);
    })->Unit(benchmark::kMillisecond);
    return true;
}

} // namespace kvx::bench
