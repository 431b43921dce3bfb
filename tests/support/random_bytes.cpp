#include "support/random_bytes.h"

#include <random>

namespace kvx::test {

std::vector<std::uint8_t> randomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

void randomise(std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t length,
               std::uint32_t seed) {
    std::mt19937 random(seed);
    for (std::size_t n = 0; n < length; ++n)
        bytes[from + n] = static_cast<std::uint8_t>(bytes[from + n] + 1 + random() % 255);
}

} // namespace kvx::test
