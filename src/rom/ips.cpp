#include "rom/ips.h"

#include "base/error.h"
#include "rom/bytematch.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

namespace kvx {

namespace {

constexpr std::uint8_t Magic[] = {'P', 'A', 'T', 'C', 'H'};
constexpr std::uint8_t EndMarker[] = {'E', 'O', 'F'};
// A record at this offset would read as the end marker; the writer starts it a byte earlier.
constexpr std::size_t EndMarkerOffset = 0x454F46;
constexpr std::size_t MaxRecordLength = 0xFFFF;
constexpr std::size_t DataRecordCost = 5; // offset and length, before the bytes
constexpr std::size_t RunRecordCost = 8;  // offset, 0, count, value
// Changed stretches this close together share one record: the unchanged bytes between them cost
// less than the header of another.
constexpr std::size_t MergeGap = DataRecordCost;

std::string hex(std::size_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%zX", value);
    return text;
}

class IpsWriter {
public:
    explicit IpsWriter(std::span<const std::uint8_t> target) : target_(target) {
        out_.assign(std::begin(Magic), std::end(Magic));
    }

    // A changed stretch [begin, end) of the target: data records, with run records for repeated
    // bytes where those are shorter.
    void stretch(std::size_t begin, std::size_t end) {
        std::size_t dataStart = begin;
        for (std::size_t at = begin; at < end;) {
            std::size_t runEnd = at + 1;
            while (runEnd < end && target_[runEnd] == target_[at])
                ++runEnd;
            // A run record instead of the bytes in a data record costs its own 8 bytes, and a
            // data record header more on each side where the data record goes on.
            const std::size_t split = (RunRecordCost - DataRecordCost) +
                                      (at > dataStart ? DataRecordCost : 0) +
                                      (runEnd < end ? DataRecordCost : 0);
            if (runEnd - at > split) {
                data(dataStart, at);
                run(at, runEnd);
                dataStart = runEnd;
            }
            at = runEnd;
        }
        data(dataStart, end);
    }

    std::vector<std::uint8_t> finish(std::optional<std::size_t> truncateTo) && {
        out_.insert(out_.end(), std::begin(EndMarker), std::end(EndMarker));
        if (truncateTo)
            put24(*truncateTo);
        return std::move(out_);
    }

private:
    void data(std::size_t begin, std::size_t end) {
        while (begin < end) {
            if (begin == EndMarkerOffset)
                --begin; // writes the byte before once more, as the target has it
            const std::size_t length = std::min(end - begin, MaxRecordLength);
            put24(begin);
            put16(length);
            out_.insert(out_.end(), target_.begin() + static_cast<std::ptrdiff_t>(begin),
                        target_.begin() + static_cast<std::ptrdiff_t>(begin + length));
            begin += length;
        }
    }

    void run(std::size_t begin, std::size_t end) {
        while (begin < end) {
            if (begin == EndMarkerOffset) {
                data(begin, begin + 1);
                ++begin;
                continue;
            }
            const std::size_t length = std::min(end - begin, MaxRecordLength);
            put24(begin);
            put16(0);
            put16(length);
            out_.push_back(target_[begin]);
            begin += length;
        }
    }

    void put24(std::size_t value) {
        out_.push_back(static_cast<std::uint8_t>(value >> 16));
        put16(value & 0xFFFF);
    }
    void put16(std::size_t value) {
        out_.push_back(static_cast<std::uint8_t>(value >> 8));
        out_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }

    std::span<const std::uint8_t> target_;
    std::vector<std::uint8_t> out_;
};

// Reads a patch front to back; every read is checked against its end.
class IpsReader {
public:
    explicit IpsReader(std::span<const std::uint8_t> patch) : patch_(patch) {}

    std::size_t position() const { return at_; }
    std::size_t left() const { return patch_.size() - at_; }
    bool atEndMarker() const {
        return left() >= 3 && std::equal(std::begin(EndMarker), std::end(EndMarker),
                                         patch_.begin() + static_cast<std::ptrdiff_t>(at_));
    }
    void skip(std::size_t count) {
        need(count);
        at_ += count;
    }
    std::size_t number(std::size_t bytes) {
        need(bytes);
        std::size_t value = 0;
        for (std::size_t n = 0; n < bytes; ++n)
            value = (value << 8) | patch_[at_++];
        return value;
    }
    std::span<const std::uint8_t> bytes(std::size_t count) {
        need(count);
        at_ += count;
        return patch_.subspan(at_ - count, count);
    }

private:
    void need(std::size_t count) const {
        if (count > left())
            throw PatchError("The IPS patch is damaged: it ends at " + hex(patch_.size()) +
                             " in the middle of a record, without its end marker.");
    }

    std::span<const std::uint8_t> patch_;
    std::size_t at_ = 0;
};

// Makes room for [offset, offset + length) in the image, lengthening it with zeros if need be.
void makeRoom(FileBytes& image, std::size_t offset, std::size_t length) {
    const std::size_t end = offset + length;
    if (end <= image.size())
        return;
    if (end > IpsMaxImageSize)
        throw PatchError(
            "The IPS patch would make the image longer than 16 MiB (a record ends at " + hex(end) +
            ").");
    image.resize(end, 0);
}

} // namespace

bool isIpsPatch(std::span<const std::uint8_t> patch) {
    return patch.size() >= std::size(Magic) &&
           std::equal(std::begin(Magic), std::end(Magic), patch.begin());
}

std::vector<std::uint8_t> makeIpsPatch(std::span<const std::uint8_t> original,
                                       std::span<const std::uint8_t> patched) {
    if (original.size() > IpsMaxImageSize || patched.size() > IpsMaxImageSize)
        throw PatchError("An IPS patch cannot describe an image over 16 MiB; save the patch as "
                         "BPS instead.");
    IpsWriter writer(patched);
    const std::size_t shared = std::min(original.size(), patched.size());
    // The next offset from `from` at which the target differs from the original (bytes past the
    // original's end always do).
    const auto nextChange = [&](std::size_t from) {
        if (from >= shared)
            return std::min(from, patched.size());
        return from + bytematch::commonPrefix(original.data() + from, patched.data() + from,
                                              shared - from);
    };
    std::size_t begin = nextChange(0);
    while (begin < patched.size()) {
        std::size_t end = begin + 1;
        for (;;) {
            while (end < patched.size() && (end >= shared || original[end] != patched[end]))
                ++end;
            const std::size_t next = nextChange(end);
            if (next >= patched.size() || next - end >= MergeGap) {
                writer.stretch(begin, end);
                begin = next;
                break;
            }
            end = next + 1;
        }
    }
    std::optional<std::size_t> truncateTo;
    if (patched.size() < original.size())
        truncateTo = patched.size();
    return std::move(writer).finish(truncateTo);
}

FileBytes applyIpsPatch(std::span<const std::uint8_t> image, std::span<const std::uint8_t> patch) {
    if (!isIpsPatch(patch))
        throw PatchError("The file is not an IPS patch.");
    IpsReader reader(patch);
    reader.skip(std::size(Magic));
    FileBytes result(image.begin(), image.end());
    while (!reader.atEndMarker()) {
        const std::size_t offset = reader.number(3);
        const std::size_t length = reader.number(2);
        if (length != 0) {
            const auto bytes = reader.bytes(length);
            makeRoom(result, offset, length);
            std::copy(bytes.begin(), bytes.end(),
                      result.begin() + static_cast<std::ptrdiff_t>(offset));
        } else {
            const std::size_t count = reader.number(2);
            const auto value = static_cast<std::uint8_t>(reader.number(1));
            makeRoom(result, offset, count);
            std::fill_n(result.begin() + static_cast<std::ptrdiff_t>(offset), count, value);
        }
    }
    reader.skip(std::size(EndMarker));
    if (reader.left() == 3) {
        const std::size_t length = reader.number(3);
        if (length > result.size())
            throw PatchError("The IPS patch is damaged: it shortens the image to " + hex(length) +
                             " bytes, but the image has only " + hex(result.size()) + ".");
        result.resize(length);
    } else if (reader.left() != 0) {
        throw PatchError("The IPS patch is damaged: " + std::to_string(reader.left()) +
                         " bytes follow its end marker at " + hex(reader.position() - 3) + ".");
    }
    return result;
}

} // namespace kvx
