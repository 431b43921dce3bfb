// Making and applying patches of an export into the 2 MB SNES III image: one player changed, and
// a whole new league (every team in another team's slot). The counter "patch" is the patch's size
// in bytes.

#include "rom/crc32.h"
#include "rom/patch.h"
#include "rom/romio.h"
#include "support/rom_checks.h"
#include "support/snes_image.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

struct Exported {
    kvx::RomImage original;
    kvx::RomImage exported;
};

Exported snesIIIExport(bool wholeLeague) {
    const auto teams = kvx::test::snesStyleTeams(32, 3);
    Exported pair{kvx::test::buildSnesIIIImage(teams, {"1995", 3, 7, "BENCH"}, 4), {}};
    auto changed = teams;
    if (wholeLeague) {
        std::reverse(changed.begin(), changed.begin() + 28);
    } else {
        kvx::PlayerRecord& player = changed[4].Players[2];
        std::reverse(player.LastName.begin(), player.LastName.end());
        player.Attributes[0] = static_cast<std::int16_t>((player.Attributes[0] + 5) % 16);
        player.Attributes[3] = static_cast<std::int16_t>((player.Attributes[3] + 9) % 16);
    }
    pair.exported = pair.original;
    kvx::Export_ROM(kvx::SnesIII, kvx::test::documentAssigningEveryTeam(changed, kvx::SnesIII),
                    pair.exported);
    return pair;
}

const Exported& onePlayer() {
    static const Exported pair = snesIIIExport(false);
    return pair;
}

const Exported& wholeLeague() {
    static const Exported pair = snesIIIExport(true);
    return pair;
}

void makePatch(benchmark::State& state, kvx::PatchFormat format, const Exported& pair) {
    std::vector<std::uint8_t> patch;
    for (auto _ : state) {
        patch = kvx::makePatch(format, pair.original.bytes(), pair.exported.bytes());
        benchmark::DoNotOptimize(patch.data());
    }
    state.counters["patch"] = static_cast<double>(patch.size());
}

void applyPatch(benchmark::State& state, kvx::PatchFormat format, const Exported& pair) {
    const auto patch = kvx::makePatch(format, pair.original.bytes(), pair.exported.bytes());
    for (auto _ : state)
        benchmark::DoNotOptimize(kvx::applyPatch(pair.original.bytes(), patch));
}

void crc32(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kvx::crc32(onePlayer().original.bytes()));
}

bool registerAll() {
    using kvx::PatchFormat;
    struct Change {
        const char* name;
        const Exported& (*pair)();
    };
    for (const Change change :
         {Change{"one player", &onePlayer}, Change{"whole league", &wholeLeague}}) {
        const auto pair = change.pair;
        const std::string name = change.name;
        for (const PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
            const std::string suffix =
                std::string(kvx::patchFormatName(format)) + "/snes3, " + name;
            benchmark::RegisterBenchmark(
                ("make patch " + suffix).c_str(),
                [=](benchmark::State& state) { makePatch(state, format, pair()); })
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(
                ("apply patch " + suffix).c_str(),
                [=](benchmark::State& state) { applyPatch(state, format, pair()); })
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("crc32/2 MB", crc32)->Unit(benchmark::kMillisecond);
    return true;
}

const bool registered = registerAll();

} // namespace
