#pragma once

#include "ratings/ratings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// The rating-scale file (.trs), little-endian, 264 bytes:
//   0      4   tag "0001"
//   4+26g  26  entry of group g = 0..9: Weights 0..10 (11 x int16), StartersMinusOne, Backups
// Nothing else: no count, no checksum, nothing after the tenth entry.
inline constexpr std::string_view RatingScaleTag = "0001";
inline constexpr std::size_t RatingScaleEntrySize = 26;
inline constexpr std::size_t RatingScaleFileSize = 4 + GroupCount * RatingScaleEntrySize;

// The scale the program loads from its own folder at start-up, when that file exists.
inline constexpr std::string_view DefaultRatingScaleFile = "default.trs";

std::vector<std::uint8_t> serializeRatingScale(const RatingScale& scale);

// The scale the bytes hold; nothing when the tag is not "0001" or the ten entries are not all
// there. Bytes after the tenth entry are ignored. Values are taken as stored, unchecked.
std::optional<RatingScale> parseRatingScale(std::span<const std::uint8_t> bytes);

// Replaces the whole scale with the file's ten entries and returns true; returns false and
// leaves the scale untouched when the file cannot be read, has another tag or is too short.
bool Load_Rating_Scale(const std::string& path, RatingScale& scale);

// Writes the scale to `path`, replacing the file in one step; throws FileError, leaving any
// old file as it was, when it cannot.
void Save_Rating_Scale(const std::string& path, const RatingScale& scale);

} // namespace kvx
