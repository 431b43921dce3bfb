#include "ratings/ratingscale.h"

#include "base/bytes.h"
#include "base/error.h"
#include "base/fileio.h"

namespace kvx {

std::vector<std::uint8_t> serializeRatingScale(const RatingScale& scale) {
    ByteWriter out;
    out.reserve(RatingScaleTag.size() + scale.size() * (AttributeCount + 2) * 2);
    out.text(std::string(RatingScaleTag));
    for (const RatingScaleEntry& entry : scale) {
        for (const auto weight : entry.Weights)
            out.i16(weight);
        out.i16(entry.StartersMinusOne);
        out.i16(entry.Backups);
    }
    return std::move(out).release();
}

std::optional<RatingScale> parseRatingScale(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    const auto tag = in.text(RatingScaleTag.size());
    if (!tag || *tag != RatingScaleTag)
        return std::nullopt;
    RatingScale scale;
    for (RatingScaleEntry& entry : scale) {
        for (auto& weight : entry.Weights)
            weight = in.i16().value_or(0);
        entry.StartersMinusOne = in.i16().value_or(0);
        entry.Backups = in.i16().value_or(0);
    }
    // The reader stays failed after the first short read, so one check covers all 130 fields.
    if (in.failed())
        return std::nullopt;
    return scale;
}

namespace {

// A scale is 264 bytes. Files with a tail after the tenth entry are read all the same, so the
// limit is generous; a file beyond it is something else and is not read at all.
constexpr std::size_t MaxRatingScaleFileSize = 64 * 1024;

} // namespace

bool Load_Rating_Scale(const std::string& path, RatingScale& scale) {
    FileBytes bytes;
    try {
        bytes = readFile(path, MaxRatingScaleFileSize);
    } catch (const FileError&) {
        return false;
    }
    const auto loaded = parseRatingScale(bytes);
    if (!loaded)
        return false;
    scale = *loaded;
    return true;
}

void Save_Rating_Scale(const std::string& path, const RatingScale& scale) {
    writeFileAtomically(path, serializeRatingScale(scale));
}

} // namespace kvx
