#include "base/error.h"
#include "document/datafile.h"
#include "support/random_league.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <functional>

namespace kvx {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

League emptyDocument() {
    League league;
    newDocument(league, Date{2001, 3, 7});
    return league;
}

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(DataFile, EmptyDocumentIsThirtyFiveBytes) {
    std::vector<std::uint8_t> expected = bytesOf("KVX Data 01.00");
    for (int byte : {0, 0})
        expected.push_back(static_cast<std::uint8_t>(byte));
    for (char c : std::string_view("2001"))
        expected.push_back(static_cast<std::uint8_t>(c));
    for (int byte : {3, 0, 7, 0, 9, 0})
        expected.push_back(static_cast<std::uint8_t>(byte));
    for (char c : std::string_view("ANONYMOUS"))
        expected.push_back(static_cast<std::uint8_t>(c));

    TempDir dir;
    Save_Data_File(emptyDocument(), dir.file("new.kvx"));
    EXPECT_EQ(readBytes(dir.file("new.kvx")), expected);
    EXPECT_EQ(expected.size(), 35u);
}

TEST(DataFile, RoundTripKeepsEveryField) {
    TempDir dir;
    League saved = test::randomLeague(32, 7);
    saved.GeneralInfo.Year = "99";
    saved.Teams[3].Players[12] = PlayerRecord{};
    Save_Data_File(saved, dir.file("league.kvx"));

    League loaded = emptyDocument();
    loaded.CurrentFile = "keep.kvx";
    ASSERT_TRUE(Load_Data_File(loaded, dir.file("league.kvx")));
    EXPECT_EQ(loaded.TeamCount, 32);
    ASSERT_EQ(loaded.Teams.size(), 32u);
    for (std::size_t t = 0; t < 32; ++t)
        EXPECT_EQ(loaded.Teams[t], saved.Teams[t]) << "team " << t;
    EXPECT_EQ(loaded.GeneralInfo.Year, "99  ");
    EXPECT_EQ(loaded.GeneralInfo.Month, saved.GeneralInfo.Month);
    EXPECT_EQ(loaded.GeneralInfo.Day, saved.GeneralInfo.Day);
    EXPECT_EQ(loaded.GeneralInfo.Credits, saved.GeneralInfo.Credits);
    EXPECT_EQ(loaded.CurrentFile, "keep.kvx");
}

TEST(DataFile, TeamBlockSizeFollowsTheLayout) {
    League league = emptyDocument();
    appendTeam(league);
    league.Teams[0].City = "Ab";
    league.Teams[0].Players[0].FirstName = "zed";
    const auto bytes = serializeDataFile(league);
    EXPECT_EQ(bytes.size(), 35u + 2266u + 2u + 3u);
}

TEST(DataFile, RefusesWhatIsNotACompleteDataFile) {
    TempDir dir;
    const League original = test::randomLeague(2, 11);
    const auto valid = serializeDataFile(original);

    auto expectRefused = [&](const std::vector<std::uint8_t>& bytes, const char* what) {
        writeBytes(dir.file("bad.kvx"), bytes);
        League league = test::randomLeague(3, 5);
        const League before = league;
        EXPECT_FALSE(Load_Data_File(league, dir.file("bad.kvx"))) << what;
        EXPECT_EQ(league.Teams, before.Teams) << what;
        EXPECT_EQ(league.TeamCount, before.TeamCount) << what;
        EXPECT_EQ(league.GeneralInfo, before.GeneralInfo) << what;
    };

    auto lowerMagic = valid;
    lowerMagic[0] = 'k';
    expectRefused(lowerMagic, "magic in other letter case");
    expectRefused({}, "empty file");

    auto negative = valid;
    negative[14] = 0xFF;
    negative[15] = 0xFF;
    expectRefused(negative, "negative team count");

    auto huge = valid;
    huge[14] = 0xFF;
    huge[15] = 0x7F;
    expectRefused(huge, "team count larger than the file");

    auto longText = valid;
    longText[16] = 0xF0;
    longText[17] = 0xFF;
    expectRefused(longText, "text running past the end");

    // Every prefix of a valid file is refused (and none of them may crash).
    for (std::size_t length = 0; length < valid.size(); ++length) {
        const std::vector<std::uint8_t> prefix(valid.begin(),
                                               valid.begin() + static_cast<long>(length));
        EXPECT_FALSE(parseDataFile(prefix).has_value()) << "prefix of " << length;
    }
}

TEST(DataFile, IgnoresBytesAfterTheGeneralInformation) {
    TempDir dir;
    const League saved = test::randomLeague(1, 3);
    auto bytes = serializeDataFile(saved);
    bytes.insert(bytes.end(), {'x', 'y', 0, 1});
    writeBytes(dir.file("tail.kvx"), bytes);
    League loaded;
    ASSERT_TRUE(Load_Data_File(loaded, dir.file("tail.kvx")));
    EXPECT_EQ(loaded.Teams[0], saved.Teams[0]);
    EXPECT_EQ(loaded.GeneralInfo.Credits, saved.GeneralInfo.Credits);
}

// Every limit of the data file as a pair: at the limit the league is saved and reads back as it
// was; one byte past it the save is refused and the file keeps what it held.
TEST(DataFile, EveryLimitIsAPair) {
    using Fill = std::function<void(League&, std::size_t)>;
    // Texts of 65535 bytes at most, as many as it takes, the last one shorter.
    const Fill wholeFile = [](League& league, std::size_t size) {
        std::size_t left = size - serializeDataFile(league).size();
        for (TeamRecord& team : league.Teams)
            for (PlayerRecord& player : team.Players)
                for (std::string* name : {&player.FirstName, &player.LastName}) {
                    name->assign(std::min<std::size_t>(left, 0xFFFF), 'n');
                    left -= name->size();
                }
    };
    const struct {
        const char* limit;
        Fill fill;
        std::size_t at;
        const char* refusal;
    } limits[] = {
        {"credits", [](League& l, std::size_t n) { l.GeneralInfo.Credits.assign(n, 'C'); }, 0xFFFF,
         "credits line \"CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC...\" is too long"},
        {"city", [](League& l, std::size_t n) { l.Teams[1].City.assign(n, 'c'); }, 0xFFFF, "city"},
        {"last name",
         [](League& l, std::size_t n) { l.Teams[0].Players[69].LastName.assign(n, 'L'); }, 0xFFFF,
         "last name"},
        {"whole file", wholeFile, MaxDataFileSize, "too large"},
    };
    // Two teams, one of them filled up to `size`.
    const auto filled = [](const Fill& fill, std::size_t size) {
        League league = emptyDocument();
        appendTeam(league);
        appendTeam(league);
        fill(league, size);
        return league;
    };
    for (const auto& limit : limits) {
        TempDir dir;
        const std::string path = dir.file("league.kvx");
        const League at = filled(limit.fill, limit.at);
        Save_Data_File(at, path);
        League read;
        ASSERT_TRUE(Load_Data_File(read, path)) << limit.limit;
        EXPECT_EQ(read.Teams, at.Teams) << limit.limit;
        EXPECT_EQ(read.GeneralInfo, at.GeneralInfo) << limit.limit;

        const League past = filled(limit.fill, limit.at + 1);
        const auto before = readBytes(path);
        try {
            Save_Data_File(past, path);
            ADD_FAILURE() << limit.limit << ": saved past the limit";
        } catch (const DataFileError& refusal) {
            EXPECT_NE(std::string(refusal.what()).find(limit.refusal), std::string::npos)
                << refusal.what();
        }
        EXPECT_EQ(readBytes(path), before) << limit.limit;
    }
    // A file longer than any that a save writes is not read.
    TempDir dir;
    League league = filled(wholeFile, MaxDataFileSize);
    auto longest = serializeDataFile(league);
    longest.push_back(0);
    writeBytes(dir.file("longer.kvx"), longest);
    EXPECT_FALSE(Load_Data_File(league, dir.file("longer.kvx")));
}

TEST(DataFile, MissingOrUnreadableFileIsRefused) {
    TempDir dir;
    League league;
    EXPECT_FALSE(Load_Data_File(league, dir.file("missing.kvx")));
    EXPECT_FALSE(Load_Data_File(league, dir.path().string()));
}

TEST(DataFile, FailedSaveLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.file("league.kvx");
    writeBytes(path, {1, 2, 3});
    ::chmod(path.c_str(), 0640);

    // A folder as the target is refused with a reason.
    EXPECT_THROW(Save_Data_File(emptyDocument(), dir.path().string()), FileError);
    // A text too long for its length field refuses the save before anything is written.
    League tooLong = emptyDocument();
    tooLong.GeneralInfo.Credits.assign(70000, 'A');
    EXPECT_THROW(Save_Data_File(tooLong, path), DataFileError);
    EXPECT_EQ(readBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));

    // A successful save replaces the file and keeps its permissions.
    Save_Data_File(emptyDocument(), path);
    EXPECT_EQ(readBytes(path).size(), 35u);
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    if (::geteuid() != 0) {
        // An unwritable folder: the save fails and the file stays as it was.
        ::chmod(dir.path().c_str(), 0500);
        EXPECT_THROW(Save_Data_File(test::randomLeague(1, 1), path), FileError);
        ::chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(readBytes(path).size(), 35u);
    }
    EXPECT_EQ(test::fileNames(dir.path()).size(), 1u) << "no temporary file is left behind";
}

} // namespace
} // namespace kvx
