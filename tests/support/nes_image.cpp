#include "support/nes_image.h"

#include "rom/routines.h"

#include <stdexcept>

namespace kvx::test {

std::vector<std::pair<std::size_t, std::size_t>> nesStampedRanges() {
    return {{0xC4D1, 0xC4D1 + 23}, {0xC4E9, 0xC4E9 + 23}, {0xC503, 0xC503 + 11}, {0x1E128, 0x1E12C},
            {0x1E28A, 0x1E28E},    {0x1E2BD, 0x1E2C1},    {0x1F89B, 0x1F89F}};
}

RomImage buildNesImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                       std::uint32_t seed) {
    ImageBuilder image(NesImageSize, seed);
    image.signature("38807480B080EC8028816481A081DC81");

    std::string credits = info.Credits;
    credits.resize(23, ' ');
    image.put(0xC4D1, credits);
    for (std::size_t at : {0x1E128, 0x1E28A, 0x1E2BD, 0x1F89B})
        image.put(at, info.Year.substr(0, 4));

    // Abbreviations: 28 pointers (base -0x14010) to 4-byte texts.
    for (std::size_t t = 0; t < 28; ++t) {
        const std::size_t at = NesAbbreviations + 4 * t;
        image.put(at, teams[t].Abbreviation.substr(0, 4));
        image.putU16le(0x1FC10 + 2 * t, static_cast<std::uint32_t>(at - 0x14010));
    }

    // Team texts: cities, two spaces, two empty texts, names, then the league words.
    std::size_t at = NesTeamTexts;
    auto text = [&](int entry, const std::string& value) {
        image.putU16le(0x1FC50 + 2 * static_cast<std::size_t>(entry),
                       static_cast<std::uint32_t>(at - 0x14010));
        image.put(at, value);
        at += value.size();
    };
    for (int t = 0; t < 28; ++t)
        text(t, teams[static_cast<std::size_t>(t)].City);
    text(28, " ");
    text(29, " ");
    text(30, "");
    text(31, "");
    for (int t = 0; t < 28; ++t)
        text(32 + t, teams[static_cast<std::size_t>(t)].Name);
    const std::size_t words = at;
    text(60, "AFCNFC1ST2ND3RD4TH............OFFENSEDEFENSEEASTCENTRALWESTNFLAFCNFCMANCOACOMSKP");
    const int starts[27] = {3,  6,  6,  6,  9,  12, 15, 18, 21, 24, 27, 30, 37, 44,
                            48, 55, 59, 62, 65, 68, 71, 74, 77, 80, 80, 80, 80};
    for (int j = 0; j < 27; ++j)
        image.putU16le(
            0x1FC50 + 2 * static_cast<std::size_t>(61 + j),
            static_cast<std::uint32_t>(words + static_cast<std::size_t>(starts[j]) - 0x14010));

    // Players: 841 pointers (base 0x7FF0) to packed name entries, and the attribute records.
    at = 0x6DA;
    std::size_t record = 0x3010;
    for (int i = 0; i < 840; ++i) {
        const int k = i % 30;
        const PlayerRecord& player = teams[static_cast<std::size_t>(i / 30)]
                                         .Players[static_cast<std::size_t>(Roster_Slot(Nes, i))];
        const std::string entry = nameEntry(player);
        image.putU16le(0x48 + 2 * static_cast<std::size_t>(i),
                       static_cast<std::uint32_t>(at + 0x7FF0));
        image.put(at, entry);
        at += entry.size();

        const auto& a = player.Attributes;
        image.putByte(record++, nibbles(a[1], a[0]));
        image.putByte(record++, nibbles(a[2], a[3]));
        image.putByte(record++, static_cast<std::uint8_t>(player.Face));
        if (k < 12 || k > 16)
            image.putByte(record++, nibbles(a[6], a[7]));
        if (k < 2)
            image.putByte(record++, nibbles(a[8], a[9]));
    }
    image.putU16le(0x48 + 2 * 840, static_cast<std::uint32_t>(at + 0x7FF0));
    if (at > 0x3010)
        throw std::length_error("builder: these player names do not fit an NES image");
    return image.image();
}

} // namespace kvx::test
