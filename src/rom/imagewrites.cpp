#include "rom/imagewrites.h"

#include "base/error.h"
#include "rom/textblock.h"

#include <algorithm>

namespace kvx {

namespace {

std::string span(std::size_t offset, std::size_t length) {
    return hexOffset(offset) + " to " + hexOffset(offset + length);
}

} // namespace

void ImageWrites::put(std::size_t offset, std::string bytes, std::string_view what) {
    const std::size_t length = bytes.size();
    places_.push_back({offset, std::move(bytes), length, std::string(what), false});
}

void ImageWrites::putU16be(std::size_t offset, std::uint16_t value, std::string_view what) {
    put(offset, {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)}, what);
}

void ImageWrites::putU32be(std::size_t offset, std::uint32_t value, std::string_view what) {
    put(offset,
        {static_cast<char>(value >> 24), static_cast<char>((value >> 16) & 0xFF),
         static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)},
        what);
}

void ImageWrites::keep(std::size_t offset, std::size_t length, std::string_view what) {
    places_.push_back({offset, {}, length, std::string(what), true});
}

void ImageWrites::apply(RomImage& image) const {
    std::vector<const Place*> order;
    order.reserve(places_.size());
    for (const Place& place : places_) {
        if (place.length > 0)
            order.push_back(&place);
        if (!place.kept)
            image.require(place.offset, place.length);
    }
    std::sort(order.begin(), order.end(),
              [](const Place* a, const Place* b) { return a->offset < b->offset; });

    // Each place against every earlier one that reaches into it.
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Place& later = *order[i];
        for (std::size_t j = 0; j < i; ++j) {
            const Place& earlier = *order[j];
            const std::size_t earlierEnd = earlier.offset + earlier.length;
            if (earlierEnd <= later.offset)
                continue;
            const std::size_t end = std::min(earlierEnd, later.offset + later.length);
            bool agree = !earlier.kept && !later.kept;
            for (std::size_t at = later.offset; agree && at < end; ++at)
                agree = earlier.bytes[at - earlier.offset] == later.bytes[at - later.offset];
            if (agree)
                continue;
            throw RomError("The image is damaged: its tables put the " + earlier.what + " (" +
                           span(earlier.offset, earlier.length) + ") and the " + later.what + " (" +
                           span(later.offset, later.length) +
                           ") in the same place. Nothing was written.");
        }
    }

    for (const Place& place : places_)
        if (!place.kept)
            image.setText(place.offset, place.bytes);
}

} // namespace kvx
