#include "base/error.h"
#include "rom/imagewrites.h"
#include "rom/pointerchecks.h"
#include "rom/textblock.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

// Applies `writes` to a fresh image of 32 dots: its text afterwards, or "refused: " and the
// words of the refusal when the image was left as it was.
std::string applied(const ImageWrites& writes) {
    RomImage image(std::vector<std::uint8_t>(32, '.'));
    try {
        writes.apply(image);
    } catch (const RomError& refusal) {
        if (image.text(0, 32) != std::string(32, '.'))
            return "refused, but the image changed";
        return std::string("refused: ") + refusal.what();
    }
    return image.text(0, 32);
}

TEST(ImageWrites, WritesLandingOnEachOtherMustAgree) {
    ImageWrites agreeing;
    agreeing.put(0, "ABCD", "first block");
    agreeing.put(2, "CDEF", "second block");
    agreeing.putU16be(8, 0x4142, "pointer");
    EXPECT_EQ(applied(agreeing), "ABCDEF..AB" + std::string(22, '.'));

    ImageWrites clashing = agreeing;
    clashing.put(20, "XYZ", "team names");
    clashing.put(5, "Q", "player names");
    EXPECT_EQ(applied(clashing), "refused: The image is damaged: its tables put the second block "
                                 "(0x2 to 0x6) and the player names (0x5 to 0x6) in the same "
                                 "place. Nothing was written.");
}

// A pointer table holds the values its format can: the largest and the smallest are written, one
// past either is refused before anything is put.
TEST(ImageWrites, APointerTableHoldsWhatItsFormatCanAndNoMore) {
    const PointerFormat format{PointerFormat::LittleEndian16, -0x10, 0xFFFF};
    ImageWrites writes;
    writePointerTable(writes, 0, {0x10, 0x1000F}, format, "team-text table");
    EXPECT_EQ(applied(writes).substr(0, 5), std::string("\0\0\xFF\xFF.", 5));
    for (const std::size_t offset : {0xF, 0x10010}) {
        ImageWrites refused;
        EXPECT_THROW(writePointerTable(refused, 0, {offset}, format, "team-text table"),
                     ExportRefused)
            << offset;
    }
}

TEST(ImageWrites, ATableThatGoesBackIsRefusedNamingBothEntries) {
    try {
        requireInOrder(Targets{0x10, 0x30, 0x20, 0x40}, 0, 3, "team-text pointer");
        ADD_FAILURE() << "not refused";
    } catch (const RomError& refusal) {
        EXPECT_EQ(std::string(refusal.what()),
                  "The image is damaged: team-text pointer 2 points at 0x20, before team-text "
                  "pointer 1 (0x30), but the entries run in order. Nothing was written.");
    }
}

TEST(ImageWrites, KeptPlacesAndTheImageEndAreNeverWrittenOver) {
    ImageWrites kept;
    kept.put(0, "AB", "credits");
    kept.keep(10, 4, "abbreviation table");
    kept.put(12, "Z", "abbreviation");
    EXPECT_NE(applied(kept).find("the abbreviation table (0xA to 0xE) and the abbreviation"),
              std::string::npos);

    ImageWrites beyond;
    beyond.put(0, "AB", "credits");
    beyond.put(30, "XYZ", "year");
    EXPECT_NE(applied(beyond).find("refused: The image is damaged or too short"),
              std::string::npos);
}

} // namespace
} // namespace kvx
