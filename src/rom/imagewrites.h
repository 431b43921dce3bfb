#pragma once

#include "rom/romimage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// Everything an export writes into an image, gathered in memory and checked as a whole before the
// first byte reaches the image. Many places an export writes are found through the image's own
// tables; on a damaged image two of them can land on each other, or on a table the export relies
// on without rewriting it, and writing them would leave an image that no longer holds the league
// the export reported. Such an image is refused, and nothing is written.
class ImageWrites {
public:
    // `bytes` go to `offset`; `what` names them in a refusal ("player names").
    void put(std::size_t offset, std::string bytes, std::string_view what);
    void putU16be(std::size_t offset, std::uint16_t value, std::string_view what);
    void putU32be(std::size_t offset, std::uint32_t value, std::string_view what);

    // A place the export does not rewrite but the game and the next import still read.
    void keep(std::size_t offset, std::size_t length, std::string_view what);

    // Writes everything, in the order it was put, once every write lies inside the image, none
    // touches a kept place, and writes that meet agree on their common bytes. Otherwise raises
    // RomError and leaves the image as it was.
    void apply(RomImage& image) const;

private:
    struct Place {
        std::size_t offset;
        std::string bytes; // empty for a kept place
        std::size_t length;
        std::string what;
        bool kept;
    };

    std::vector<Place> places_;
};

} // namespace kvx
