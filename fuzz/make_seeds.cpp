// Writes the seed corpora of the harnesses, one folder per harness under the folder given:
// data files and rating scales made by the program's own writers from random leagues, a few
// settings files, patches of small images, and for every edition inputs that leave its valid
// image whole, roll each of its tables over with its own bytes, and cut it inside each table.
// Nothing here is committed: the corpora are made again from the builders wherever they are needed.

#include "editions.h"
#include "image_input.h"
#include "patch_input.h"

#include "document/datafile.h"
#include "ratings/ratingscale.h"
#include "rom/edition.h"
#include "rom/patch.h"
#include "support/random_league.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void writeSeeds(const fs::path& folder, const std::vector<Bytes>& seeds) {
    fs::create_directories(folder);
    for (std::size_t n = 0; n < seeds.size(); ++n) {
        std::ofstream out(folder / ("seed-" + std::to_string(n)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seeds[n].data()),
                  static_cast<std::streamsize>(seeds[n].size()));
        if (!out)
            throw std::runtime_error("cannot write the seeds in " + folder.string());
    }
}

std::vector<Bytes> dataFileSeeds() {
    kvx::League empty;
    empty.GeneralInfo = {"2001", 3, 7, "ANONYMOUS"};
    return {kvx::serializeDataFile(empty), kvx::serializeDataFile(kvx::test::randomLeague(1, 1)),
            kvx::serializeDataFile(kvx::test::randomLeague(2, 2))};
}

std::vector<Bytes> ratingScaleSeeds() {
    kvx::RatingScale plain{};
    kvx::RatingScale usual{};
    kvx::RatingScale odd{};
    for (int g = 0; g < kvx::GroupCount; ++g) {
        auto& entry = usual[static_cast<std::size_t>(g)];
        for (int a = 0; a < kvx::AttributeCount; ++a)
            entry.Weights[static_cast<std::size_t>(a)] = static_cast<std::int16_t>((a + g) % 16);
        entry.StartersMinusOne = static_cast<std::int16_t>(g % 3);
        entry.Backups = static_cast<std::int16_t>(g % 2);
        odd[static_cast<std::size_t>(g)].Weights.fill(static_cast<std::int16_t>(-3000 * g));
        odd[static_cast<std::size_t>(g)].StartersMinusOne = static_cast<std::int16_t>(20 - 4 * g);
        odd[static_cast<std::size_t>(g)].Backups = static_cast<std::int16_t>(9 - 3 * g);
    }
    return {kvx::serializeRatingScale(plain), kvx::serializeRatingScale(usual),
            kvx::serializeRatingScale(odd)};
}

// A byte choosing the key, the value's length in two bytes, the value, the file's text.
Bytes settingsSeed(int key, const std::string& value, const std::string& text) {
    Bytes seed = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(value.size() >> 8),
                  static_cast<std::uint8_t>(value.size())};
    seed.insert(seed.end(), value.begin(), value.end());
    seed.insert(seed.end(), text.begin(), text.end());
    return seed;
}

std::vector<Bytes> settingsSeeds() {
    return {settingsSeed(0, "/home/user/league.html",
                         "[files]\r\nhtml=a.html\r\nrom=/roms/game.nes\r\ntrs=\r\nkvx=x.kvx\r\n"),
            settingsSeed(1, "", ""),
            settingsSeed(4, " spaced \t",
                         "\xEF\xBB\xBF[Files]\nROM = old\n; rom=comment\n\n[recent]\n0=a\n"),
            settingsSeed(6, std::string(300, 'x'), "[another section]\nsome key=1\n[files]\nkvx=y"),
            settingsSeed(7, "two\r\nlines", "[files]\n\n[files]\nmore=again\n")};
}

// Patches the program's writers make between the harness's images and changed copies of them:
// scattered bytes, a run, a lengthened and a shortened image, copies from elsewhere.
std::vector<Bytes> patchSeeds() {
    using kvx::fuzz::patchImage;
    std::vector<Bytes> seeds;
    for (const std::size_t length : {std::size_t{0}, std::size_t{40}, std::size_t{3000}}) {
        const Bytes image = patchImage(length);
        std::vector<Bytes> targets(4, image);
        for (std::size_t at = 3; at < length; at += 101)
            targets[0][at] ^= 0x5A;
        targets[1].resize(length + 300, 0xEE);
        targets[2].resize(length / 2);
        if (length >= 1000)
            std::copy_n(image.begin() + 100, 500, targets[3].begin() + 480);
        for (const Bytes& target : targets)
            for (const auto format : {kvx::PatchFormat::Ips, kvx::PatchFormat::Bps})
                seeds.push_back(kvx::fuzz::encodePatchInput(kvx::fuzz::SealBpsChecks, length,
                                                            kvx::makePatch(format, image, target)));
    }
    return seeds;
}

std::vector<Bytes> imageSeeds(const kvx::fuzz::FuzzedEdition& edition) {
    using kvx::fuzz::ImageInput;
    const kvx::RomImage image = edition.validImage();
    std::vector<Bytes> seeds;
    // Every roster of an image holding several; the one of any other image.
    const int rosters = kvx::editionInfo(edition.edition).rosters;
    for (int roster = 0; roster <= (rosters > 1 ? rosters : 0); ++roster)
        seeds.push_back(encodeImageInput(ImageInput{roster, 0, {}}));
    for (const std::size_t at : edition.places) {
        const auto first = image.bytes().begin() + static_cast<std::ptrdiff_t>(at);
        seeds.push_back(encodeImageInput(ImageInput{0, 0, {{at, Bytes(first, first + 8)}}}));
        seeds.push_back(encodeImageInput(ImageInput{0, at + 4, {}}));
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kvx_fuzz_seeds FOLDER\n");
        return 1;
    }
    try {
        const fs::path folder = argv[1];
        writeSeeds(folder / "datafile", dataFileSeeds());
        writeSeeds(folder / "ratingscale", ratingScaleSeeds());
        writeSeeds(folder / "settings", settingsSeeds());
        writeSeeds(folder / "patch", patchSeeds());
        for (const auto& edition : kvx::fuzz::fuzzedEditions())
            writeSeeds(folder / std::string(kvx::editionInfo(edition.edition).shortName),
                       imageSeeds(edition));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kvx_fuzz_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
