#pragma once

#include <cstdint>
#include <span>

namespace kvx {

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320), which BPS patches carry for their
// source, their target and themselves. `crc` continues an earlier result, so that a buffer can be
// checked in pieces: crc32(b, crc32(a)) == crc32(a + b).
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

} // namespace kvx
