#include "rom/romio.h"
#include "support/nes_image.h"
#include "support/rom_checks.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace kvx {
namespace {

// A full synthetic image of an edition, and a document that replaces every team of it.
struct Fixture {
    RomImage image;
    League league;
};

Fixture nesFixture() {
    const auto teams = test::imageStyleTeams(28, 1);
    Fixture fixture{test::buildNesImage(teams, GeneralInfoRecord{"1993", 1, 1, "BENCH"}, 2), {}};
    std::vector<std::pair<TeamRecord, int>> assigned;
    for (int slot = 0; slot < 30; ++slot)
        if (slot != 9 && slot != 29)
            assigned.emplace_back(teams[static_cast<std::size_t>(slot < 9 ? slot : slot - 1)],
                                  slot);
    fixture.league = test::documentWithAssignments(assigned, Nes);
    return fixture;
}

void importImage(benchmark::State& state, int edition, const std::function<Fixture()>& make) {
    const Fixture fixture = make();
    for (auto _ : state) {
        std::vector<TeamRecord> teams;
        GeneralInfoRecord info;
        benchmark::DoNotOptimize(Import_ROM(edition, fixture.image, teams, &info, 0));
    }
}

void exportImage(benchmark::State& state, int edition, const std::function<Fixture()>& make) {
    const Fixture fixture = make();
    for (auto _ : state) {
        RomImage image = fixture.image;
        benchmark::DoNotOptimize(Export_ROM(edition, fixture.league, image));
    }
}

BENCHMARK_CAPTURE(importImage, nes, Nes, nesFixture)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportImage, nes, Nes, nesFixture)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvx

BENCHMARK_MAIN();
