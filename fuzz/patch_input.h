#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The input of the patch harness, and the image it patches:
//
//   byte 0       bit 0 set: a BPS patch gets the CRC-32s of the image and of itself written into
//                its footer before it is applied, so that the fuzzer reaches the actions rather
//                than stopping at the checks it cannot forge
//   bytes 1..2   the image's length, big-endian; the image is patchImage(length)
//   then         the patch
namespace kvx::fuzz {

inline constexpr std::uint8_t SealBpsChecks = 1;
inline constexpr std::size_t PatchInputHeader = 3;

// An image with some structure, so that copies and runs have something to find.
inline std::vector<std::uint8_t> patchImage(std::size_t length) {
    std::vector<std::uint8_t> image(length);
    for (std::size_t n = 0; n < length; ++n)
        image[n] = static_cast<std::uint8_t>(n % 97 < 20 ? 0 : (n * 7) ^ (n >> 8));
    return image;
}

inline std::vector<std::uint8_t> encodePatchInput(std::uint8_t flags, std::size_t imageLength,
                                                  std::span<const std::uint8_t> patch) {
    std::vector<std::uint8_t> input = {flags, static_cast<std::uint8_t>(imageLength >> 8),
                                       static_cast<std::uint8_t>(imageLength & 0xFF)};
    input.insert(input.end(), patch.begin(), patch.end());
    return input;
}

} // namespace kvx::fuzz
