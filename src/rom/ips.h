#pragma once

#include "base/filebuffer.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kvx {

// IPS, the classic patch format: "PATCH", then records of a 3-byte offset, a 2-byte length and the
// bytes to write there (or, with length 0, a 2-byte count and one byte to repeat), then "EOF", all
// big-endian. Offsets have 24 bits, so no image over 16 MiB can be described.
inline constexpr std::size_t IpsMaxImageSize = 16 * 1024 * 1024;

bool isIpsPatch(std::span<const std::uint8_t> patch);

// The patch that turns `original` into `patched`. Throws PatchError when either is over
// IpsMaxImageSize. A shorter `patched` is expressed with the common extension of a 3-byte length
// after "EOF"; no record starts at 0x454F46, whose offset bytes spell "EOF".
std::vector<std::uint8_t> makeIpsPatch(std::span<const std::uint8_t> original,
                                       std::span<const std::uint8_t> patched);

// The image with the patch applied. Records past the end of the image lengthen it (the bytes
// between the old end and such a record are 0), up to IpsMaxImageSize; a 3-byte length after
// "EOF" shortens it. A damaged or truncated patch, or one that would lengthen the image beyond
// that limit, throws PatchError.
FileBytes applyIpsPatch(std::span<const std::uint8_t> image, std::span<const std::uint8_t> patch);

} // namespace kvx
