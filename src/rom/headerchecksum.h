#pragma once

#include "rom/romimage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kvx {

// The checksums some games and flash cartridges check at start: the Genesis header's, and the
// SNES internal header's (LoROM or HiROM, with or without a 512-byte copier header in front).
enum class HeaderKind { Genesis, SnesLoRom, SnesHiRom };

struct HeaderChecksum {
    HeaderKind kind;
    std::size_t header;     // where the header starts in the file
    std::uint16_t stored;   // the checksum the header holds
    std::uint16_t computed; // the one the image's bytes give
    bool correct;           // stored == computed (and, for SNES, the complement is its complement)
};

// What the export says when it was asked to correct a checksum the image has no header for.
inline constexpr const char* NoHeaderChecksum =
    "The image has no Genesis or SNES header this program recognises, so its checksum could not be "
    "corrected; the image was exported without that.";

// "Genesis", "SNES LoROM" or "SNES HiROM".
std::string_view headerKindName(HeaderKind kind);

// The image's header checksum, or nothing when it has no header recognised.
std::optional<HeaderChecksum> readHeaderChecksum(std::span<const std::uint8_t> image);

// Writes the checksum the image's bytes give (and, for SNES, its complement) into its header.
// Returns false, leaving the image as it was, when it has no header recognised.
bool fixHeaderChecksum(RomImage& image);

} // namespace kvx
