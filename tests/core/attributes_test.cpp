#include "base/error.h"
#include "rom/attributes.h"
#include "rom/edition.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

// The reader takes the whole area in one bounds check when it fits and falls back to reading byte
// by byte when it does not; the edition tests never put the end of an image right at the end of
// the records, where an off-by-one in that check would hide.
TEST(AttributeRecords, AnAreaEndingWithTheImageIsReadAndOneByteLessFailsWhereTheImageEnds) {
    constexpr std::size_t Start = 3;
    constexpr std::size_t TeamBytes = teamRecordsSize(NesRecords, Nes);
    std::vector<std::uint8_t> bytes(Start + TeamBytes);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);

    std::vector<TeamRecord> teams(1);
    EXPECT_EQ(readAttributeRecords(RomImage(bytes), Start, NesRecords, Nes, teams), bytes.size());
    // The punter (k = 29, slot 63) has the last record: 1|0 2|3 face 6|7.
    const PlayerRecord& punter = teams[0].Players[63];
    EXPECT_EQ(punter.Face, bytes[bytes.size() - 2]);
    EXPECT_EQ(punter.Attributes[6], bytes.back() >> 4);
    EXPECT_EQ(punter.Attributes[7], bytes.back() & 0x0F);
    // What the records are read from is what they are written as.
    EXPECT_EQ(attributeRecords(teams, NesRecords, Nes),
              std::string(bytes.begin() + Start, bytes.end()));

    bytes.pop_back();
    try {
        readAttributeRecords(RomImage(bytes), Start, NesRecords, Nes, teams);
        ADD_FAILURE() << "a short image was read";
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find("ends at 0x77, but data was expected at 0x77"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_THROW(readAttributeRecords(RomImage(bytes), bytes.size() + 1, NesRecords, Nes, teams),
                 RomError);
}

} // namespace
} // namespace kvx
