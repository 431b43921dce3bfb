#include "support/rom_checks.h"

#include "base/error.h"
#include "document/tables.h"
#include "rom/edition.h"
#include "rom/routines.h"

#include <random>
#include <stdexcept>

namespace kvx::test {

std::vector<TeamRecord> expectedShortRosterImport(std::vector<TeamRecord> teams, int edition) {
    const int roster = rosterSize(edition);
    std::vector<bool> reached(70, false);
    for (int k = 0; k < roster; ++k)
        reached[static_cast<std::size_t>(Roster_Slot(edition, k))] = true;
    for (auto& team : teams) {
        team.ScheduleName = team.Name;
        for (int slot = 0; slot < 70; ++slot) {
            PlayerRecord& player = team.player(slot);
            if (!reached[static_cast<std::size_t>(slot)]) {
                player = PlayerRecord{};
                continue;
            }
            auto& a = player.Attributes;
            const int group = slot / 7;
            player.ExtraNibble = 0;
            if (group == 0) {
                a[4] = 1;
                a[5] = 2;
                a[10] = static_cast<std::int16_t>((a[7] + a[8] + a[9]) / 3);
            } else {
                a[4] = 3;
                a[5] = 7;
                a[10] = 0;
                a[9] = 0;
                a[8] = group == 8 ? a[7] : 0;
                if (group == 4)
                    a[6] = a[7] = 0;
            }
        }
    }
    Capitalize_Names(teams);
    setImportedSlots(teams, edition);
    return teams;
}

League grownLeague(const std::vector<TeamRecord>& imported, int edition, Grown what,
                   std::size_t extra) {
    League league = documentAssigningEveryTeam(imported, edition);
    std::vector<std::string*> texts;
    for (int t = 0; t < league.TeamCount; ++t) {
        TeamRecord& team = league.team(t);
        if (team.RomSlot[edition] < 0)
            continue;
        if (what == Grown::Cities)
            texts.push_back(&team.City);
        else
            for (int k = 0; k < rosterSize(edition); ++k)
                texts.push_back(
                    &team.Players[static_cast<std::size_t>(Roster_Slot(edition, k))].LastName);
    }
    for (std::size_t n = 0; n < extra; ++n)
        *texts[n % texts.size()] += 'x';
    return league;
}

std::size_t textBytes(const std::vector<TeamRecord>& teams) {
    std::size_t bytes = 0;
    for (const TeamRecord& team : teams) {
        bytes += team.City.size() + team.Name.size();
        for (const PlayerRecord& player : team.Players)
            bytes += player.FirstName.size() + player.LastName.size();
    }
    return bytes;
}

void setImportedSlots(std::vector<TeamRecord>& teams, int edition) {
    // The 30-team editions number their slots as their teams; the 28-team editions leave slot 9
    // (and 29) empty.
    const bool thirtyTeams = edition == GenesisIII || edition == SnesIII;
    for (std::size_t t = 0; t < teams.size(); ++t) {
        for (int code = 1; code <= 9; ++code)
            teams[t].RomSlot[code] = -1;
        if (t < (thirtyTeams ? 30u : 28u))
            teams[t].RomSlot[edition] = static_cast<std::int16_t>(thirtyTeams || t < 9 ? t : t + 1);
    }
}

League documentAssigningEveryTeam(const std::vector<TeamRecord>& imageTeams, int edition) {
    std::vector<std::pair<TeamRecord, int>> assigned;
    for (int slot = 0; slot < 30; ++slot) {
        const int team = SlotTeamIndex(edition, slot);
        if (team >= 0 && team < static_cast<int>(imageTeams.size()))
            assigned.emplace_back(imageTeams[static_cast<std::size_t>(team)], slot);
    }
    return documentWithAssignments(assigned, edition);
}

League documentWithAssignments(const std::vector<std::pair<TeamRecord, int>>& teamsAndSlots,
                               int edition) {
    League league;
    league.Teams.clear();
    for (const auto& [team, slot] : teamsAndSlots) {
        league.Teams.push_back(team);
        league.Teams.back().RomSlot[edition] = static_cast<std::int16_t>(slot);
    }
    if (league.Teams.empty())
        league.Teams.emplace_back();
    league.TeamCount = static_cast<std::int16_t>(teamsAndSlots.size());
    league.GeneralInfo = GeneralInfoRecord{"1999", 3, 7, "ANONYMOUS"};
    return league;
}

ExportedBack exportBack(const RomImage& original, const std::vector<TeamRecord>& imported,
                        int edition) {
    ExportedBack exported{original, {}};
    exported.result =
        Export_ROM(edition, documentAssigningEveryTeam(imported, edition), exported.image);
    return exported;
}

std::vector<std::size_t>
changesOutside(const RomImage& before, const RomImage& after,
               const std::vector<std::pair<std::size_t, std::size_t>>& ranges) {
    if (before.size() != after.size())
        throw std::logic_error("the image changed its length");
    std::vector<bool> allowed(before.size(), false);
    for (const auto& [begin, end] : ranges)
        for (std::size_t at = begin; at < end && at < allowed.size(); ++at)
            allowed[at] = true;
    std::vector<std::size_t> changes;
    for (std::size_t at = 0; at < before.size(); ++at)
        if (!allowed[at] && before.bytes()[at] != after.bytes()[at])
            changes.push_back(at);
    return changes;
}

int sweepDamagedImages(const RomImage& image, std::uint32_t seed, int copies,
                       const std::vector<std::size_t>& hotSpots,
                       const std::function<void(const RomImage&)>& attempt) {
    std::mt19937 random(seed);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    int tried = 0;
    auto tryOn = [&](const RomImage& damaged) {
        try {
            attempt(damaged);
        } catch (const Error&) {
        }
        ++tried;
    };
    // Large images are not allocated thousands of times: byte damage goes into one working copy
    // and is put back after each attempt, and truncated copies reuse one buffer.
    RomImage damaged = image;
    FileBytes buffer;
    buffer.reserve(image.size());
    for (int n = 0; n < copies; ++n) {
        if (n % 3 == 0) {
            const auto first = image.bytes().begin();
            buffer.assign(first, first + static_cast<std::ptrdiff_t>(below(image.size())));
            RomImage truncated(std::move(buffer));
            tryOn(truncated);
            buffer = std::move(truncated).release();
            continue;
        }
        // Damage a few bytes, mostly inside the tables the editions follow.
        std::vector<std::pair<std::size_t, std::uint8_t>> saved;
        const int hits = 1 + static_cast<int>(below(8));
        for (int h = 0; h < hits; ++h) {
            std::size_t at = below(image.size());
            if (!hotSpots.empty() && below(4) != 0)
                at = std::min(image.size() - 1, hotSpots[below(hotSpots.size())] + below(64));
            saved.emplace_back(at, damaged.byte(at));
            damaged.setByte(at, static_cast<std::uint8_t>(random()));
        }
        tryOn(damaged);
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            damaged.setByte(it->first, it->second);
    }
    return tried;
}

int sweepImportsAndExports(const RomImage& image, int edition, const TeamRecord& replacement,
                           std::uint32_t seed, int copies,
                           const std::vector<std::size_t>& hotSpots) {
    const EditionCodec* codec = findEdition(edition);
    if (!codec)
        throw std::logic_error("not an edition with a layout");
    std::vector<TeamRecord> teams;
    RomImage scratch = image;
    int attempt = 0;
    return sweepDamagedImages(image, seed, copies, hotSpots, [&](const RomImage& damaged) {
        GeneralInfoRecord info;
        Import_ROM(edition, damaged, teams, &info, 0);
        if (++attempt % 2 != 0)
            return;
        teams[0] = replacement;
        scratch = damaged;
        Warnings warnings;
        codec->exportLeague(scratch, teams, info, warnings);
    });
}

League leagueWithNameBlockOf(std::vector<TeamRecord> teams, int edition, int filledTeams,
                             std::size_t bytes) {
    const int perTeam = rosterSize(edition);
    const int entries = filledTeams * perTeam;
    for (int i = entries; i < static_cast<int>(teams.size()) * perTeam; ++i) {
        const PlayerRecord& player = rosterPlayer(teams, edition, i);
        bytes -= 1 + player.FirstName.size() + player.LastName.size();
    }
    // Every entry is a number byte, "a" and a last name; the bytes left over lengthen the first.
    const std::size_t length = bytes / static_cast<std::size_t>(entries);
    std::size_t longer = bytes % static_cast<std::size_t>(entries);
    for (int i = 0; i < entries; ++i) {
        PlayerRecord& player = rosterPlayer(teams, edition, i);
        player.FirstName = "a";
        player.LastName = std::string(length - 2 + (longer > 0 ? 1 : 0), 'X');
        if (longer > 0)
            --longer;
    }
    return documentAssigningEveryTeam(teams, edition);
}

} // namespace kvx::test
