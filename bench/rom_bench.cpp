#include "bench/rom_bench.h"

#include "support/nes_image.h"
#include "support/rom_checks.h"

namespace {

kvx::bench::RomFixture nesFixture() {
    const auto teams = kvx::test::imageStyleTeams(28, 1);
    return {kvx::test::buildNesImage(teams, kvx::GeneralInfoRecord{"1993", 1, 1, "BENCH"}, 2),
            kvx::test::documentAssigningEveryTeam(teams, kvx::Nes)};
}

const bool registered = kvx::bench::registerRomBenchmarks("nes", kvx::Nes, nesFixture);

} // namespace
