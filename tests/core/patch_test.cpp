#include "base/error.h"
#include "rom/edition.h"
#include "rom/patch.h"
#include "rom/romio.h"
#include "support/genesis_image.h"
#include "support/nes_image.h"
#include "support/rom_checks.h"
#include "support/snes_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Patch, FormatIsToldByTheFileNameExtension) {
    const std::vector<std::pair<std::string, std::optional<PatchFormat>>> names = {
        {"league.ips", PatchFormat::Ips},
        {"/home/user/Update.BPS", PatchFormat::Bps},
        {"a.b/league.Ips", PatchFormat::Ips},
        {"league.bps.txt", std::nullopt},
        {"league", std::nullopt},
        {"ips", std::nullopt},
        {"folder.ips/league", std::nullopt},
        {"league.ups", std::nullopt},
    };
    for (const auto& [name, format] : names)
        EXPECT_EQ(patchFormatFromPath(name), format) << name;
}

TEST(Patch, AFileThatIsNoPatchIsRefused) {
    const Bytes image(16, 1);
    for (const Bytes& patch : {Bytes{}, Bytes{'P', 'A', 'T'}, Bytes{'U', 'P', 'S', '1', 0, 0}}) {
        EXPECT_FALSE(patchFormatOf(patch));
        EXPECT_THROW(applyPatch(image, patch), PatchError);
    }
}

// What an export does to an image of each edition, made into a patch of each format and applied
// again by the format the patch's own bytes name, must give the exported image byte for byte.
struct EditionCase {
    const char* name;
    kvx::Edition code;
    std::vector<TeamRecord> teams;
    std::function<RomImage(const std::vector<TeamRecord>&)> build;
};

const GeneralInfoRecord Info{"1994", 8, 31, "PATCH"};

TEST(Patch, AnExportOfEveryEditionComesBackFromItsPatch) {
    const std::vector<EditionCase> editions = {
        {"NES", Nes, test::imageStyleTeams(28, 1),
         [](const auto& teams) { return test::buildNesImage(teams, Info, 2); }},
        {"Genesis III", GenesisIII, test::genesisStyleTeams(32, 1),
         [](const auto& teams) { return test::buildGenesisIIIImage(teams, Info, 2); }},
        {"SNES III", SnesIII, test::snesStyleTeams(32, 1),
         [](const auto& teams) { return test::buildSnesIIIImage(teams, Info, 2); }},
    };
    for (const EditionCase& edition : editions) {
        SCOPED_TRACE(edition.name);
        const RomImage original = edition.build(edition.teams);
        // A whole new league: every one of the 28 teams into another team's slot.
        std::vector<TeamRecord> moved = edition.teams;
        std::reverse(moved.begin(), moved.begin() + 28);
        RomImage exported = original;
        Export_ROM(edition.code, test::documentAssigningEveryTeam(moved, edition.code), exported);
        ASSERT_FALSE(exported.bytes() == original.bytes());
        for (const PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
            SCOPED_TRACE(patchFormatName(format));
            const Bytes patch = makePatch(format, original.bytes(), exported.bytes());
            EXPECT_EQ(patchFormatOf(patch), format);
            EXPECT_LT(patch.size(), original.size() / 8);
            EXPECT_TRUE(applyPatch(original.bytes(), patch) == exported.bytes());
        }
    }
}

} // namespace
} // namespace kvx
