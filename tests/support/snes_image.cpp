#include "support/snes_image.h"

#include "rom/routines.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace kvx::test {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// City, then a space and Name unless Name is empty.
std::string teamText(const TeamRecord& team) {
    return team.Name.empty() ? team.City : team.City + " " + team.Name;
}

const PlayerRecord& playerAt(const std::vector<TeamRecord>& teams, Edition edition, int roster,
                             int i) {
    return teams[static_cast<std::size_t>(i / roster)]
        .Players[static_cast<std::size_t>(Roster_Slot(edition, i))];
}

// Team-text records (abbreviation, 0x00, text, 0x00) laid out one after the other from `at`, each
// with its 16-bit pointer (offset + 0x8000) in the table at 0x7000.
class TeamTexts {
public:
    TeamTexts(ImageBuilder& image, std::size_t at) : image_(image), at_(at) {}

    void add(int entry, const std::string& abbreviation, const std::string& text) {
        pointTo(entry, at_);
        const std::string record = abbreviation + '\0' + text + '\0';
        image_.put(at_, record);
        at_ += record.size();
    }
    void pointTo(int entry, std::size_t offset) {
        image_.putU16le(0x7000 + 2 * static_cast<std::size_t>(entry),
                        static_cast<std::uint32_t>(offset + 0x8000));
    }
    std::size_t position() const { return at_; }

private:
    ImageBuilder& image_;
    std::size_t at_;
};

// Packed name entries from `at`, each with its 16-bit pointer (offset - `bankStart`) in `table`,
// and one more pointer marking the end.
void putNames(ImageBuilder& image, const std::vector<TeamRecord>& teams, Edition edition,
              int roster, std::size_t table, std::size_t at, std::size_t bankStart,
              std::size_t limit) {
    const int players = static_cast<int>(teams.size()) * roster;
    for (int i = 0; i <= players; ++i) {
        image.putU16le(table + 2 * static_cast<std::size_t>(i),
                       static_cast<std::uint32_t>(at - bankStart));
        if (i == players)
            break;
        const std::string entry = nameEntry(playerAt(teams, edition, roster, i));
        image.put(at, entry);
        at += entry.size();
    }
    if (at > limit)
        throw std::length_error("builder: these player names do not fit the image");
}

} // namespace

std::vector<TeamRecord> snesStyleTeams(int count, std::uint32_t seed) {
    auto teams = imageStyleTeams(count, seed);
    for (auto& team : teams) {
        team.City = lowerCase(team.City);
        team.ScheduleName = team.Name.substr(0, 8);
    }
    return teams;
}

RomImage buildSnesIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                         std::uint32_t seed) {
    ImageBuilder image(SnesIImageSize, seed);
    image.signature("A2FF1F9AA900005BE220A98048AB2200");

    const std::string year = padded(info.Year, 4);
    image.put(0x172C83, padded(info.Credits, 15));
    image.put(0x17106A, year);
    char date[32];
    std::snprintf(date, sizeof date, "    %02d %02d %s", info.Month, info.Day, year.c_str());
    image.put(0x123294, std::string(date, 14));

    TeamTexts texts(image, 0x703C);
    for (int t = 0; t < 28; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        texts.add(t, padded(team.Abbreviation, 4), teamText(team));
    }
    texts.add(28, "AFC ", "AFC");
    texts.add(29, "NFC ", "NFC");

    // The division table: AFC from 0x17218D, NFC from 0x17220E; three division columns 10 bytes
    // apart, rows 26 bytes apart; the AFC Central and the NFC West hold four teams.
    int team = 0;
    for (std::size_t conference = 0; conference < 2; ++conference)
        for (std::size_t division = 0; division < 3; ++division)
            for (std::size_t row = 0; row < (division == 1 + conference ? 4u : 5u); ++row, ++team)
                image.put((conference == 0 ? 0x17218D : 0x17220E) + 10 * division + 26 * row,
                          padded(teams[static_cast<std::size_t>(team)].Abbreviation, 4));

    putNames(image, teams, SnesI, 32, 0x178038, 0x17873A, 0x170000, 0x17E000);

    std::size_t record = 0x17E000;
    for (int i = 0; i < 28 * 32; ++i) {
        const int k = i % 32;
        const PlayerRecord& player = playerAt(teams, SnesI, 32, i);
        const auto& a = player.Attributes;
        image.putByte(record++, nibbles(a[1], a[0]));
        image.putByte(record++, nibbles(a[2], a[3]));
        image.putByte(record++, static_cast<std::uint8_t>(player.Face));
        if (k < 12 || k > 16)
            image.putByte(record++, nibbles(a[6], a[7]));
        if (k < 2)
            image.putByte(record++, nibbles(a[8], a[9]));
    }
    return image.image();
}

RomImage buildSnesIIIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                           std::uint32_t seed) {
    ImageBuilder image(SnesIIIImageSize, seed);
    image.signature("A2FF079AA900005BE220A98048AB2200");

    image.put(0x173931, padded(info.Credits, 17));
    image.put(0x1BD6A5, padded(info.Year, 4));

    TeamTexts texts(image, 0x7048);
    for (int t = 0; t < 30; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        texts.add(t, team.Abbreviation, teamText(team));
    }
    texts.add(30, "FA1 ", "free agent");
    texts.add(31, "FA2 ", "free agent");
    texts.pointTo(33, texts.position());
    texts.add(32, "CSTM", "custom players");
    texts.add(34, "AFC ", "AFC");
    texts.add(35, "NFC ", "NFC");

    // Schedule names: 13 minus the length, the name, 0xFF; 30 plain offsets from 0xD1B2.
    std::size_t at = 0xD1F0;
    for (int t = 0; t < 30; ++t) {
        const std::string& name = teams[static_cast<std::size_t>(t)].ScheduleName;
        image.putU16le(0xD1B2 + 2 * static_cast<std::size_t>(t), static_cast<std::uint32_t>(at));
        image.putByte(at, static_cast<std::uint8_t>(13 - name.size()));
        image.put(at + 1, name);
        image.putByte(at + 1 + name.size(), 0xFF);
        at += name.size() + 2;
    }
    if (at > 0xD1F0 + 325)
        throw std::length_error("builder: these schedule names do not fit the image");

    putNames(image, teams, SnesIII, 37, 0x1E8040, 0x1E8982, 0x1E0000, 0x1EC800);

    std::size_t record = 0x1EC800;
    for (int i = 0; i < 32 * 37; ++i) {
        const int k = i % 37;
        const PlayerRecord& player = playerAt(teams, SnesIII, 37, i);
        const auto& a = player.Attributes;
        image.putByte(record++, nibbles(a[1], a[0]));
        image.putByte(record++, nibbles(a[2], a[3]));
        image.putByte(record++, nibbles(a[4], a[5]));
        image.putByte(record++, static_cast<std::uint8_t>(player.Face));
        if (k < 12 || k > 16)
            image.putByte(record++, nibbles(a[6], a[7]));
        if (k < 2 || k == 35)
            image.putByte(record++, nibbles(a[8], a[9]));
        if (k < 2)
            image.putByte(record++, nibbles(a[10], player.ExtraNibble));
    }
    return image.image();
}

} // namespace kvx::test
