#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Comparisons the patch writers make over whole images: eight bytes at a time, since a 2 MB image
// compared a byte at a time cost more than the rest of a patch.
namespace kvx::bytematch {

inline std::uint64_t load64(const std::uint8_t* at) {
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// How many bytes a[0..] and b[0..] have in common, at most `limit`.
inline std::size_t commonPrefix(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    std::size_t n = 0;
    for (; limit - n >= 8; n += 8) {
        const std::uint64_t difference = load64(a + n) ^ load64(b + n);
        if (difference != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return n + static_cast<std::size_t>(std::countr_zero(difference)) / 8;
            else
                return n + static_cast<std::size_t>(std::countl_zero(difference)) / 8;
        }
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

} // namespace kvx::bytematch
