#pragma once

#include "base/error.h"
#include "document/league.h"
#include "rom/commands.h"
#include "rom/edition.h"
#include "rom/romimage.h"
#include "rom/romio.h"
#include "rom/textblock.h"
#include "support/rom_checks.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// GoogleTest assertions about exports into game images. Header only: the benchmarks share the
// support library, but not GoogleTest.
namespace kvx::test {

// The teams an import of `edition` reads from `image`, checking that it reads the edition's
// number of teams and, unless `warnings` is given to receive them, warns of nothing.
inline std::vector<TeamRecord> importTeams(int edition, const RomImage& image,
                                           GeneralInfoRecord* info = nullptr,
                                           Warnings* warnings = nullptr) {
    std::vector<TeamRecord> teams;
    const ImportResult result = Import_ROM(edition, image, teams, info, 0);
    EXPECT_EQ(result.teamCount, findEdition(edition)->teamCount);
    if (warnings)
        *warnings = result.warnings;
    else
        EXPECT_TRUE(result.warnings.empty());
    return teams;
}

// `after` differs from `before` only inside the given [begin, end) ranges.
inline ::testing::AssertionResult
changedOnlyWithin(const RomImage& before, const RomImage& after,
                  const std::vector<std::pair<std::size_t, std::size_t>>& ranges) {
    const auto outside = changesOutside(before, after, ranges);
    if (outside.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << outside.size() << " bytes changed, first at " << hexOffset(outside.front());
}

// An export of `teams` (each into the division slot that holds it) into `original` cut to `length`
// bytes, short of the end but still holding the whole league: it must raise RomError before it
// changes anything.
inline ::testing::AssertionResult exportIntoShortImageRefused(const RomImage& original,
                                                              const std::vector<TeamRecord>& teams,
                                                              int edition, std::size_t length) {
    FileBytes bytes = original.bytes();
    bytes.resize(length);
    RomImage shortImage(bytes);
    std::string fault;
    try {
        Export_ROM(edition, documentAssigningEveryTeam(teams, edition), shortImage);
        fault = "not refused";
    } catch (const RomError&) {
    } catch (const std::exception& other) {
        fault = "refused with another error: " + std::string(other.what());
    }
    if (shortImage.bytes() != bytes)
        fault += fault.empty() ? "the image changed" : ", and the image changed";
    if (fault.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault;
}

// A game image saved in a temporary folder, to try exports on the file the way the commands do.
class ImageFile {
public:
    ImageFile(const RomImage& original, int edition, const std::string& name)
        : original_(original), edition_(edition), path_(dir_.file(name)) {
        original_.save(path_);
    }

    const std::string& path() const { return path_; }
    // Puts the original image back after an export that was meant to change it.
    void restore() const { original_.save(path_); }

    // Exports `league` into the file: the export must be refused with a message that contains
    // `words`, and the file must still hold the original image byte for byte.
    ::testing::AssertionResult refuses(const League& league, std::string_view words) const {
        std::string fault;
        try {
            exportImageFile(path_, edition_, league);
            fault = "not refused";
        } catch (const ExportRefused& refusal) {
            if (std::string_view(refusal.what()).find(words) == std::string_view::npos)
                fault = "refused with \"" + std::string(refusal.what()) + "\"";
        }
        if (RomImage::load(path_).bytes() != original_.bytes())
            fault += fault.empty() ? "the file changed" : ", and the file changed";
        if (fault.empty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "expecting \"" << words << "\": " << fault;
    }

    // The same for a document that assigns `team` alone, to the division slot `slot`.
    ::testing::AssertionResult refusesTeam(const TeamRecord& team, int slot,
                                           std::string_view words) const {
        return refuses(documentWithAssignments({{team, slot}}, edition_), words);
    }

    // A room of the image as a pair of limits: the league of `imported` grown by `probe` bytes of
    // `what` is refused with `words`, saying how many bytes too many; grown by just what fits, it
    // is exported and reads back with every byte of it; one byte more is refused and the file
    // stays as it was. (Where a block is padded to an even end, the byte the padding took may
    // still fit.) With `end`, the refusal must also say that the room ends there.
    ::testing::AssertionResult fillsItsRoomToTheByte(const std::vector<TeamRecord>& imported,
                                                     Grown what, std::size_t probe,
                                                     std::string_view words,
                                                     std::size_t end = 0) const {
        std::string refusal;
        try {
            exportImageFile(path_, edition_, grownLeague(imported, edition_, what, probe));
            restore();
            return ::testing::AssertionFailure() << probe << " bytes more still fit";
        } catch (const ExportRefused& refused) {
            refusal = refused.what();
        }
        constexpr std::string_view Over = "they take ";
        const std::size_t at = refusal.find(Over);
        if (at == std::string::npos || refusal.find(words) == std::string::npos)
            return ::testing::AssertionFailure() << "refused with \"" << refusal << "\"";
        const std::size_t over = std::stoul(refusal.substr(at + Over.size()));
        if (end != 0 && refusal.find(" to " + hexOffset(end) + ")") == std::string::npos)
            return ::testing::AssertionFailure()
                   << "the room should end at " << hexOffset(end) << ": " << refusal;
        std::size_t fits = probe - over;

        const auto readBack = [&] {
            std::vector<TeamRecord> teams;
            Import_ROM(edition_, RomImage::load(path_), teams, nullptr,
                       findEdition(edition_)->exportedRoster);
            restore();
            return textBytes(teams);
        };
        exportImageFile(path_, edition_, grownLeague(imported, edition_, what, 0));
        const std::size_t before = readBack();
        try {
            exportImageFile(path_, edition_, grownLeague(imported, edition_, what, fits));
        } catch (const Error& error) {
            return ::testing::AssertionFailure()
                   << "refused " << fits << " bytes more, which fit: " << error.what();
        }
        try {
            restore();
            exportImageFile(path_, edition_, grownLeague(imported, edition_, what, fits + 1));
            ++fits; // in place of the padding
        } catch (const ExportRefused&) {
            exportImageFile(path_, edition_, grownLeague(imported, edition_, what, fits));
        }
        if (const std::size_t after = readBack(); after != before + fits)
            return ::testing::AssertionFailure()
                   << fits << " bytes more read back as " << after - before;
        return refuses(grownLeague(imported, edition_, what, fits + 1), words);
    }

private:
    TempDir dir_;
    RomImage original_;
    int edition_;
    std::string path_;
};

} // namespace kvx::test
