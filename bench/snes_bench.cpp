#include "bench/rom_bench.h"

#include "support/rom_checks.h"
#include "support/snes_image.h"

namespace {

const kvx::GeneralInfoRecord BenchInfo{"1995", 3, 7, "BENCH"};

kvx::bench::RomFixture snesIFixture() {
    const auto teams = kvx::test::snesStyleTeams(28, 1);
    return {kvx::test::buildSnesIImage(teams, BenchInfo, 2),
            kvx::test::documentAssigningEveryTeam(teams, kvx::SnesI)};
}

kvx::bench::RomFixture snesIIIFixture() {
    const auto teams = kvx::test::snesStyleTeams(32, 3);
    return {kvx::test::buildSnesIIIImage(teams, BenchInfo, 4),
            kvx::test::documentAssigningEveryTeam(teams, kvx::SnesIII)};
}

const bool registeredSnesI = kvx::bench::registerRomBenchmarks("snes1", kvx::SnesI, snesIFixture);
const bool registeredSnesIII =
    kvx::bench::registerRomBenchmarks("snes3", kvx::SnesIII, snesIIIFixture);

} // namespace
