#include "base/error.h"
#include "ratings/ratingscale.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

RatingScale sampleScale() {
    RatingScale scale;
    for (std::size_t g = 0; g < scale.size(); ++g) {
        for (std::size_t i = 0; i < AttributeCount; ++i)
            scale[g].Weights[i] = static_cast<std::int16_t>((g * 7 + i * 3) % 16);
        scale[g].StartersMinusOne = static_cast<std::int16_t>(g % 7);
        scale[g].Backups = static_cast<std::int16_t>(6 - g % 7);
    }
    return scale;
}

std::vector<std::uint8_t> withTag(std::string_view tag, std::size_t zeros) {
    std::vector<std::uint8_t> bytes(tag.begin(), tag.end());
    bytes.resize(bytes.size() + zeros, 0);
    return bytes;
}

TEST(RatingScaleFile, StartUpScaleSavesAsTagAndZeros) {
    TempDir dir;
    Save_Rating_Scale(dir.file("zero.trs"), RatingScale{});
    EXPECT_EQ(readBytes(dir.file("zero.trs")), withTag("0001", 260));

    RatingScale loaded = sampleScale();
    ASSERT_TRUE(Load_Rating_Scale(dir.file("zero.trs"), loaded));
    for (const RatingScaleEntry& entry : loaded) {
        EXPECT_EQ(entry.Weights, (std::array<std::int16_t, AttributeCount>{}));
        EXPECT_EQ(entry.StartersMinusOne, 0);
        EXPECT_EQ(entry.Backups, 0);
    }
}

TEST(RatingScaleFile, RoundTripIsExactAnd264BytesLong) {
    TempDir dir;
    RatingScale saved = sampleScale();
    saved[4].Weights[10] = -3; // values a file may hold are kept as they are
    saved[9].Backups = 32767;
    Save_Rating_Scale(dir.file("scale.trs"), saved);
    EXPECT_EQ(readBytes(dir.file("scale.trs")).size(), 264u);

    RatingScale loaded{};
    ASSERT_TRUE(Load_Rating_Scale(dir.file("scale.trs"), loaded));
    EXPECT_EQ(loaded, saved);
}

TEST(RatingScaleFile, EntriesSitAtTheirOffsets) {
    RatingScale scale{};
    scale[3].Weights[5] = 0x1234;
    scale[9].StartersMinusOne = 6;
    scale[9].Backups = -2;
    const auto bytes = serializeRatingScale(scale);
    ASSERT_EQ(bytes.size(), RatingScaleFileSize);
    EXPECT_EQ(bytes[4 + 26 * 3 + 10], 0x34);
    EXPECT_EQ(bytes[4 + 26 * 3 + 11], 0x12);
    EXPECT_EQ(bytes[4 + 26 * 9 + 22], 6);
    EXPECT_EQ(bytes[4 + 26 * 9 + 24], 0xFE);
    EXPECT_EQ(bytes[4 + 26 * 9 + 25], 0xFF);
}

TEST(RatingScaleFile, RefusedFilesLeaveTheScaleAlone) {
    TempDir dir;
    const RatingScale before = sampleScale();
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
        {"other tag", withTag("0002", 260)},      {"lower-case tag", withTag("000l", 260)},
        {"one byte short", withTag("0001", 259)}, {"tag only", withTag("0001", 0)},
        {"half a tag", withTag("00", 0)},         {"empty", {}},
    };
    for (const auto& [name, bytes] : files) {
        writeBytes(dir.file("bad.trs"), bytes);
        RatingScale scale = before;
        EXPECT_FALSE(Load_Rating_Scale(dir.file("bad.trs"), scale)) << name;
        EXPECT_EQ(scale, before) << name;
    }

    RatingScale scale = before;
    EXPECT_FALSE(Load_Rating_Scale(dir.file("missing.trs"), scale));
    EXPECT_FALSE(Load_Rating_Scale(dir.path().string(), scale));
    EXPECT_EQ(scale, before);
}

TEST(RatingScaleFile, BytesAfterTheTenthEntryAreIgnored) {
    auto bytes = serializeRatingScale(sampleScale());
    bytes.insert(bytes.end(), {1, 2, 3});
    const auto scale = parseRatingScale(bytes);
    ASSERT_TRUE(scale);
    EXPECT_EQ(*scale, sampleScale());
}

TEST(RatingScaleFile, FailedSaveThrows) {
    TempDir dir;
    EXPECT_THROW(Save_Rating_Scale(dir.file("no such folder/scale.trs"), sampleScale()), FileError);
    EXPECT_THROW(Save_Rating_Scale(dir.path().string(), sampleScale()), FileError);
}

// The default.trs the build places beside the executables loads and suits every group.
TEST(RatingScaleFile, ShippedDefaultIsSensible) {
    // The build places the shipped file beside the executables.
    RatingScale scale{};
    ASSERT_TRUE(Load_Rating_Scale(std::string(KVX_BIN_DIR) + "/default.trs", scale));
    for (std::size_t g = 0; g < scale.size(); ++g) {
        int total = 0;
        for (const auto weight : scale[g].Weights) {
            EXPECT_GE(weight, 0);
            EXPECT_LE(weight, 15);
            total += weight;
        }
        EXPECT_GT(total, 0) << "group " << g;
        EXPECT_GE(scale[g].StartersMinusOne, 0);
        EXPECT_GE(scale[g].Backups, 0);
        EXPECT_LE(scale[g].StartersMinusOne + scale[g].Backups, 6);
    }
}

} // namespace
} // namespace kvx
