#include "bench/rom_bench.h"

#include "support/genesis_image.h"
#include "support/rom_checks.h"

namespace {

const kvx::GeneralInfoRecord BenchInfo{"1993", 1, 1, "BENCH"};

kvx::bench::RomFixture genesisIFixture() {
    const auto teams = kvx::test::genesisStyleTeams(28, 1);
    return {kvx::test::buildGenesisIImage(teams, BenchInfo, 2),
            kvx::test::documentAssigningEveryTeam(teams, kvx::GenesisI)};
}

kvx::bench::RomFixture genesisIIFixture() {
    std::array<std::vector<kvx::TeamRecord>, 3> rosters = {kvx::test::genesisStyleTeams(28, 3),
                                                           kvx::test::genesisStyleTeams(28, 4),
                                                           kvx::test::genesisStyleTeams(28, 5)};
    const kvx::RomImage image = kvx::test::buildGenesisIIImage(rosters, BenchInfo, 6);
    // The export reads roster 1 and rewrites roster 3 with it; the document replaces every team.
    return {image, kvx::test::documentAssigningEveryTeam(rosters[0], kvx::GenesisII)};
}

kvx::bench::RomFixture genesisIIIFixture() {
    const auto teams = kvx::test::genesisStyleTeams(32, 7);
    return {kvx::test::buildGenesisIIIImage(teams, BenchInfo, 8),
            kvx::test::documentAssigningEveryTeam(teams, kvx::GenesisIII)};
}

const bool registeredI =
    kvx::bench::registerRomBenchmarks("genesis1", kvx::GenesisI, genesisIFixture);
const bool registeredII =
    kvx::bench::registerRomBenchmarks("genesis2", kvx::GenesisII, genesisIIFixture);
const bool registeredIII =
    kvx::bench::registerRomBenchmarks("genesis3", kvx::GenesisIII, genesisIIIFixture);

} // namespace
