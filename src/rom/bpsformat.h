#pragma once

#include <cstdint>
#include <vector>

// What the BPS reader and writer share: the magic, the action codes and the number encoding.
namespace kvx::bps {

inline constexpr std::uint8_t Magic[] = {'B', 'P', 'S', '1'};
inline constexpr std::size_t FooterSize = 12; // three CRC-32s

// An action's number is ((length - 1) << 2) | action.
enum Action : std::uint8_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

// Each byte carries 7 bits, low first; the high bit marks the last byte. Every byte but the last
// also takes one off what remains, so that no number has two encodings.
inline void putNumber(std::vector<std::uint8_t>& out, std::uint64_t value) {
    for (;;) {
        const auto bits = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.push_back(bits | 0x80);
            return;
        }
        out.push_back(bits);
        --value;
    }
}

// The bytes putNumber writes for `value`.
inline std::size_t numberSize(std::uint64_t value) {
    std::size_t size = 1;
    for (value >>= 7; value != 0; value = (value - 1) >> 7)
        ++size;
    return size;
}

// A copy's move of its offset: the distance, shifted left, with the sign in the low bit.
inline std::uint64_t encodeOffset(std::int64_t delta) {
    return delta < 0 ? (static_cast<std::uint64_t>(-delta) << 1) | 1
                     : static_cast<std::uint64_t>(delta) << 1;
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace kvx::bps
