#include "base/error.h"
#include "rom/commands.h"
#include "rom/patch.h"
#include "rom/romio.h"
#include "support/genesis_image.h"
#include "support/nes_image.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"
#include "support/snes_image.h"

#include <gtest/gtest.h>

#include <functional>

// What users do every season: import their image, change some players, export back. Whatever the
// user did not change must come back byte for byte, in every edition.
namespace kvx {
namespace {

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

const GeneralInfoRecord ImageInfo{"1994", 8, 31, "ROUND TRIP"};

// The single-name players the games hold (an empty first or last name), in teams the user never
// touches, and a three-letter abbreviation with its space. The unused nibble of a quarterback's
// seventh SNES III byte is 0, as in the games' images: no edition keeps it.
void addEdgeCases(std::vector<TeamRecord>& teams) {
    teams[3].Players[0].FirstName.clear();
    teams[3].Players[7].LastName.clear();
    teams[5].Players[49].FirstName.clear();
    teams[6].Abbreviation = "BUF ";
    for (TeamRecord& team : teams)
        for (PlayerRecord& player : team.Players)
            player.ExtraNibble = 0;
}

std::vector<TeamRecord> edgeCaseTeams(std::vector<TeamRecord> teams) {
    addEdgeCases(teams);
    return teams;
}

// The Genesis I texts the import never reads back, which every export stamps from the league.
Ranges genesisICopies() {
    Ranges ranges = {{0x43402, 0x43402 + 112}, {0x4347A, 0x4347A + 448}, {0x4367A, 0x4367A + 448}};
    for (const std::size_t distance : {0, 930, 978, 7462, 7510})
        ranges.emplace_back(0x1CE92 + distance, 0x1D080 + distance);
    return ranges;
}

struct Edition {
    int code;
    int roster; // the one the command line imports: the third of Genesis II
    std::function<RomImage()> build;
    // What every export writes whatever the league: the signature texts, the credits line, the
    // year fields, and the copies of texts that the import reads from elsewhere.
    std::function<Ranges(const RomImage&)> stamped;
};

const std::vector<Edition>& editions() {
    static const std::vector<Edition> all = {
        {Nes, 0,
         [] {
             return test::buildNesImage(edgeCaseTeams(test::imageStyleTeams(28, 1)), ImageInfo, 2);
         },
         [](const RomImage&) { return test::nesStampedRanges(); }},
        {GenesisI, 0,
         [] {
             auto teams = edgeCaseTeams(test::genesisStyleTeams(28, 3));
             teams[2].Abbreviation = "L.A.";
             return test::buildGenesisIImage(teams, ImageInfo, 4);
         },
         [](const RomImage&) {
             Ranges ranges = genesisICopies();
             for (const std::size_t at : {0x1CCFC, 0x1CD2A, 0x1CD41})
                 ranges.emplace_back(at, at + 23);
             for (const std::size_t at : {0x1CD77, 0x4B6AA, 0x4C164})
                 ranges.emplace_back(at, at + 4);
             return ranges;
         }},
        {GenesisII, 3,
         [] {
             std::array<std::vector<TeamRecord>, 3> rosters = {
                 edgeCaseTeams(test::genesisStyleTeams(28, 5)),
                 edgeCaseTeams(test::genesisStyleTeams(28, 6)),
                 edgeCaseTeams(test::genesisStyleTeams(28, 7))};
             return test::buildGenesisIIImage(rosters, ImageInfo, 8);
         },
         [](const RomImage& image) {
             // One attribute block is written three times: the other rosters' blocks take the
             // third's levels.
             const std::size_t attributes = image.u32be(0x2506C);
             return Ranges{{0x125E88, 0x125E88 + 23},
                           {0x5E0E9, 0x5E0E9 + 4},
                           {attributes, attributes + 2 * 5180}};
         }},
        {GenesisIII, 0,
         [] {
             auto teams = edgeCaseTeams(test::genesisStyleTeams(32, 9));
             teams[2].City = "ST. LOUIS";
             return test::buildGenesisIIIImage(teams, ImageInfo, 10);
         },
         [](const RomImage&) {
             return Ranges{
                 {0x1587C6, 0x1587C6 + 23}, {0x1587E6, 0x1587E6 + 33}, {0x12C1D3, 0x12C1D3 + 4}};
         }},
        {SnesI, 0,
         [] {
             auto teams = edgeCaseTeams(test::snesStyleTeams(28, 11));
             teams[2].City = "new york";
             return test::buildSnesIImage(teams, ImageInfo, 12);
         },
         [](const RomImage&) {
             return Ranges{
                 {0x172C83, 0x172C83 + 15}, {0x17106A, 0x17106A + 4}, {0x123294, 0x123294 + 14}};
         }},
        {SnesIII, 0,
         [] {
             auto teams = edgeCaseTeams(test::snesStyleTeams(32, 13));
             teams[2].City = "san francisco";
             teams[2].Name = "49ERS";
             return test::buildSnesIIIImage(teams, ImageInfo, 14);
         },
         [](const RomImage&) {
             return Ranges{
                 {0x173931, 0x173931 + 17}, {0x173943, 0x173943 + 20}, {0x1BD6A5, 0x1BD6A5 + 4}};
         }},
    };
    return all;
}

League imported(const RomImage& image, int edition, int roster) {
    League league;
    newDocument(league, Date{2000, 1, 1});
    EXPECT_GT(importLeague(image, edition, roster, league).teamCount, 0);
    return league;
}

// The division slot a team remembers is the one holding its image team, for its edition only.
void expectRememberedSlots(const League& league, int edition) {
    std::vector<TeamRecord> expected = league.Teams;
    test::setImportedSlots(expected, edition);
    for (std::size_t t = 0; t < expected.size(); ++t)
        EXPECT_EQ(league.Teams[t].RomSlot, expected[t].RomSlot) << "team " << t;
}

TEST(RoundTrip, AnUnchangedLeagueComesBackByteForByteAndAnEditChangesOnlyItsPlayer) {
    for (const Edition& edition : editions()) {
        SCOPED_TRACE("edition " + std::to_string(edition.code));
        const RomImage original = edition.build();
        League league = imported(original, edition.code, edition.roster);
        expectRememberedSlots(league, edition.code);
        const int leagueTeams = edition.code == GenesisIII || edition.code == SnesIII ? 30 : 28;
        EXPECT_EQ(league.Teams[3].Players[0].FirstName, "");
        EXPECT_EQ(league.Teams[3].Players[7].LastName, "");

        // Exported back as imported, and with one team alone assigned: the others are read from
        // the roster the export rewrites.
        League oneTeam = league;
        for (TeamRecord& team : oneTeam.Teams)
            team.RomSlot[edition.code] = -1;
        oneTeam.Teams[4].RomSlot[edition.code] = 4;
        for (const League* document : {&league, &oneTeam}) {
            RomImage image = original;
            const ExportResult result = Export_ROM(edition.code, *document, image);
            EXPECT_EQ(result.teamsReplaced, document == &league ? leagueTeams : 1);
            EXPECT_TRUE(result.warnings.empty());
            EXPECT_TRUE(result.cuts.empty()) << result.cuts.front();
            EXPECT_TRUE(test::changedOnlyWithin(original, image, edition.stamped(original)));
        }

        // One player's names changed for others of the same length: that player alone differs.
        PlayerRecord& changed = league.Teams[7].Players[0];
        changed.FirstName = "Q" + std::string(changed.FirstName.size() - 1, 'q');
        changed.LastName = "Z" + std::string(changed.LastName.size() - 1, 'y');
        RomImage image = original;
        Export_ROM(edition.code, league, image);
        EXPECT_FALSE(test::changedOnlyWithin(original, image, edition.stamped(original)));
        // Shared as a patch, the edit gives the same image.
        for (const PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps})
            EXPECT_TRUE(applyPatch(original.bytes(), makePatch(format, original.bytes(),
                                                               image.bytes())) == image.bytes());
        const League again = imported(image, edition.code, edition.roster);
        for (std::size_t t = 0; t < league.Teams.size(); ++t)
            EXPECT_EQ(again.Teams[t], league.Teams[t]) << "team " << t;
        // The other two rosters of Genesis II keep their names.
        if (edition.code == GenesisII)
            for (const int roster : {1, 2}) {
                const League before = imported(original, GenesisII, roster);
                const League after = imported(image, GenesisII, roster);
                for (std::size_t t = 0; t < 28; ++t)
                    EXPECT_EQ(after.Teams[t].Players[0].LastName,
                              before.Teams[t].Players[0].LastName);
            }
    }
}

// Last names the game would split elsewhere, and team texts it would read as something else.
TEST(RoundTrip, TextsThatWouldReadBackDifferentlyAreRefusedAndNothingIsWritten) {
    for (const Edition& edition : editions()) {
        SCOPED_TRACE("edition " + std::to_string(edition.code));
        const RomImage original = edition.build();
        const League league = imported(original, edition.code, edition.roster);
        const test::ImageFile file(original, edition.code, "game");
        for (const std::string last : {"\xD3scar", "'Neil", "3rd"}) {
            TeamRecord team = league.Teams[1];
            team.Players[0].FirstName = "Ann";
            team.Players[0].LastName = last;
            EXPECT_TRUE(file.refusesTeam(team, team.RomSlot[edition.code],
                                         "Ann " + last + " (" + team.displayName() +
                                             "): the last name \"" + last +
                                             "\" does not begin with a letter from A to Z"));
        }
    }

    struct Case {
        int edition;
        std::function<void(TeamRecord&)> edit;
        std::string_view words;
    };
    const std::vector<Case> cases = {
        {SnesI, [](TeamRecord& t) { t.Name = "Red Sox"; }, "nickname \"Red Sox\""},
        {SnesI, [](TeamRecord& t) { t.City += '\0'; }, "the byte 0x00"},
        {SnesIII, [](TeamRecord& t) { t.City = "Area 51"; }, "city \"Area 51\""},
        {SnesIII, [](TeamRecord& t) { t.Name = "'Canes"; }, "nickname \"'Canes\""},
        {SnesIII, [](TeamRecord& t) { t.ScheduleName = "A\xFF"; }, "the byte 0xFF"},
        {GenesisI, [](TeamRecord& t) { t.Abbreviation = "A_B"; }, "abbreviation \"A_B\""},
        {GenesisII, [](TeamRecord& t) { t.ScheduleName = "A\\B"; }, "schedule name \"A\\B\""},
        {GenesisIII, [](TeamRecord& t) { t.City = "A\\B"; }, "city \"A\\B\""},
    };
    for (const Case& c : cases) {
        for (const Edition& edition : editions()) {
            if (edition.code != c.edition)
                continue;
            const RomImage original = edition.build();
            TeamRecord team = imported(original, edition.code, edition.roster).Teams[1];
            c.edit(team);
            const test::ImageFile file(original, edition.code, "game");
            EXPECT_TRUE(file.refusesTeam(team, team.RomSlot[edition.code], c.words))
                << "edition " << c.edition;
        }
    }
}

TEST(RoundTrip, EveryValueCutToFitIsSaid) {
    for (const Edition& edition : editions()) {
        SCOPED_TRACE("edition " + std::to_string(edition.code));
        const RomImage original = edition.build();
        League league = imported(original, edition.code, edition.roster);
        league.Teams[1].Abbreviation = "ABCDEFGHIJ";
        league.Teams[1].Players[0].Face = 32767;
        league.Teams[1].Players[1].Face = -1;
        league.Teams[1].Players[7].ExtraNibble = 32767;
        league.GeneralInfo.Credits = std::string(500, 'C');
        RomImage image = original;
        const ExportResult result = Export_ROM(edition.code, league, image);

        std::string said;
        for (const std::string& cut : result.cuts)
            said += cut + "\n";
        EXPECT_EQ(result.cuts.size(), 5u) << said;
        EXPECT_NE(said.find("The credits line is longer than the "), std::string::npos) << said;
        EXPECT_NE(said.find("\"ABCDEFGHIJ\" is written as \"ABCD\""), std::string::npos) << said;
        EXPECT_NE(said.find("face 32767, but the game keeps faces from 0 to 255: it is written "
                            "as 255"),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("face -1"), std::string::npos) << said;
        EXPECT_NE(said.find("extra nibble of 32767"), std::string::npos) << said;
        EXPECT_EQ(imported(image, edition.code, edition.roster).Teams[1].Abbreviation, "ABCD");
    }
}

// Every table the export follows, with its first and its last entry damaged.
TEST(RoundTrip, PointersLeadingOutsideTheLeaguesAreasAreRefusedAndNothingIsWritten) {
    struct Table {
        int edition;
        std::size_t at;
        std::size_t width;
        int entries;
    };
    const std::vector<Table> tables = {
        {Nes, 0x48, 2, 841},
        {Nes, 0x1FC10, 2, 28},
        {Nes, 0x1FC50, 2, 88},
        {SnesI, 0x7000, 2, 30},
        {SnesI, 0x178038, 2, 897},
        {SnesIII, 0x7000, 2, 36},
        {SnesIII, 0xD1B2, 2, 30},
        {SnesIII, 0x1E8040, 2, 1185},
        {GenesisI, 0x4644, 4, 97},
        {GenesisI, 0x5862, 2, 897},
        {GenesisII, 0x2567C, 4, 97},
        {GenesisII, 0x271AE, 4, 1037},
        {GenesisII, 0x2F00E, 4, 1037},
        {GenesisIII, 0x226D0, 4, 101},
        {GenesisIII, 0x25210, 4, 1185},
    };
    for (const Edition& edition : editions()) {
        const RomImage original = edition.build();
        const League league = imported(original, edition.code, edition.roster);
        for (const Table& table : tables) {
            if (table.edition != edition.code)
                continue;
            for (const int entry : {0, table.entries - 1}) {
                for (const std::uint32_t value : {0x0000u, 0xFFFFu}) {
                    RomImage image = original;
                    const std::size_t at = table.at + table.width * static_cast<std::size_t>(entry);
                    if (table.width == 2 && table.edition == GenesisI)
                        image.setU16be(at, static_cast<std::uint16_t>(value));
                    else if (table.width == 2)
                        image.setU16le(at, static_cast<std::uint16_t>(value));
                    else
                        test::putU32be(image, at, value);
                    const RomImage damaged = image;
                    EXPECT_THROW(Export_ROM(edition.code, league, image), Error)
                        << "edition " << edition.code << " table " << hexOffset(table.at)
                        << " entry " << entry << " value " << value;
                    EXPECT_TRUE(image.bytes() == damaged.bytes());
                }
            }
        }
    }

    // The refusal names the table, the entry and where it leads.
    const Edition& nes = editions().front();
    RomImage image = nes.build();
    image.setU16le(0x1FC50, 0);
    try {
        Export_ROM(Nes, imported(nes.build(), Nes, 0), image);
        ADD_FAILURE() << "not refused";
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what())
                      .find("team-text pointer 0 points at 0x14010, outside "
                            "the team texts"),
                  std::string::npos)
            << error.what();
    }
}

} // namespace
} // namespace kvx
