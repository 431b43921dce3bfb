#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvx::test {

// `size` bytes of noise, the same for the same seed.
std::vector<std::uint8_t> randomBytes(std::size_t size, std::uint32_t seed);

// Changes every byte of [from, from + length) to another value.
void randomise(std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t length,
               std::uint32_t seed);

} // namespace kvx::test
