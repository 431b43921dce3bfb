// The BPS writer. It walks the target once, front to back, and at each offset takes the cheapest
// of: reading the source in place (what an unchanged stretch of an export is), copying from where
// a hash of the next 8 bytes says the source or the target so far holds them (a player moved to
// another team), or writing the byte itself. Copy candidates are verified and extended both ways,
// so the one table lookup per changed byte keeps the whole in linear time.

#include "rom/bps.h"

#include "base/error.h"
#include "rom/bpsformat.h"
#include "rom/bytematch.h"
#include "rom/crc32.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>

namespace kvx {

namespace {

using namespace bps;
using bytematch::commonPrefix;
using bytematch::load64;

constexpr std::size_t Window = 8;
// The source is indexed at every fourth offset: any stretch of 11 bytes or more that it holds is
// still found, and indexing a 2 MB image costs a quarter.
constexpr std::size_t SourceStride = 4;
constexpr int TargetIndexBits = 16;
// Reading the source in place this long is always taken without looking for a copy.
constexpr std::size_t SureSourceRead = 32;

// An index from the hash of 8 bytes to the last offset (plus one; 0 for none) holding them.
class WindowIndex {
public:
    explicit WindowIndex(int bits) : shift_(64 - bits), slots_(std::size_t{1} << bits, 0) {}

    std::size_t find(const std::uint8_t* at) const { return slots_[slot(at)]; }
    void add(const std::uint8_t* at, std::size_t offset) {
        slots_[slot(at)] = static_cast<std::uint32_t>(offset + 1);
    }

private:
    std::size_t slot(const std::uint8_t* at) const {
        return static_cast<std::size_t>((load64(at) * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    int shift_;
    std::vector<std::uint32_t> slots_;
};

int sourceIndexBits(std::size_t sourceSize) {
    const std::size_t entries = std::max<std::size_t>(sourceSize / SourceStride, 1024);
    return std::min(22, static_cast<int>(std::bit_width(entries - 1)));
}

struct Copy {
    Action action = SourceRead;
    std::size_t from = 0;   // where the copy starts reading
    std::size_t back = 0;   // how many bytes before the current offset it also covers
    std::size_t length = 0; // in all, `back` included
    std::size_t saved = 0;  // bytes saved against writing them out
};

class BpsWriter {
public:
    BpsWriter(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target)
        : source_(source), target_(target), sourceIndex_(sourceIndexBits(source.size())),
          targetIndex_(TargetIndexBits) {
        for (std::size_t at = 0; at + Window <= source.size(); at += SourceStride)
            sourceIndex_.add(source.data() + at, at);
    }

    std::vector<std::uint8_t> write() && {
        out_.assign(std::begin(Magic), std::end(Magic));
        putNumber(out_, source_.size());
        putNumber(out_, target_.size());
        putNumber(out_, 0); // no metadata
        while (at_ < target_.size())
            step();
        flushLiteral(at_);
        putU32(out_, crc32(source_));
        putU32(out_, crc32(target_));
        putU32(out_, crc32(out_));
        return std::move(out_);
    }

private:
    void step() {
        const std::size_t inPlace =
            at_ < source_.size() ? commonPrefix(source_.data() + at_, target_.data() + at_,
                                                std::min(source_.size(), target_.size()) - at_)
                                 : 0;
        if (inPlace >= SureSourceRead) {
            emit(SourceRead, inPlace);
            return;
        }
        const Copy copy = bestCopy();
        const std::size_t readSaved = inPlace > 0 ? savedBy(inPlace, std::nullopt) : 0;
        if (readSaved > 0 && readSaved >= copy.saved) {
            emit(SourceRead, inPlace);
        } else if (copy.saved > 0) {
            emitCopy(copy);
        } else {
            if (at_ + Window <= target_.size())
                targetIndex_.add(target_.data() + at_, at_);
            ++at_;
        }
    }

    // What covering `covered` bytes with one action (with a copy's offset number, if any) saves
    // against leaving them in a TargetRead; breaking the TargetRead costs another action number,
    // of about a byte.
    static std::size_t savedBy(std::size_t covered, std::optional<std::uint64_t> offset) {
        const std::size_t cost =
            numberSize(((covered - 1) << 2) | 3) + (offset ? numberSize(*offset) : 0) + 1;
        return covered > cost ? covered - cost : 0;
    }

    Copy bestCopy() const {
        Copy best;
        if (at_ + Window > target_.size())
            return best;
        const std::uint8_t* here = target_.data() + at_;
        if (const std::size_t found = sourceIndex_.find(here)) {
            const std::size_t from = found - 1;
            const std::size_t length = commonPrefix(
                source_.data() + from, here, std::min(source_.size() - from, target_.size() - at_));
            consider(best, SourceCopy, from, length, source_);
        }
        if (const std::size_t found = targetIndex_.find(here)) {
            const std::size_t from = found - 1;
            // Overlapping what it writes is fine: the copy runs byte by byte.
            const std::size_t length =
                commonPrefix(target_.data() + from, here, target_.size() - at_);
            consider(best, TargetCopy, from, length, target_);
        }
        return best;
    }

    // Takes a candidate copy from `from` matching `length` bytes from the current offset if it
    // saves more than `best`, after extending it back into the pending TargetRead.
    void consider(Copy& best, Action action, std::size_t from, std::size_t length,
                  std::span<const std::uint8_t> bytes) const {
        if (length < Window)
            return; // a hash collision
        std::size_t back = 0;
        while (back < at_ - literal_ && back < from &&
               bytes[from - back - 1] == target_[at_ - back - 1])
            ++back;
        const std::size_t start = from - back;
        const std::int64_t delta =
            static_cast<std::int64_t>(start) -
            static_cast<std::int64_t>(action == SourceCopy ? sourceOffset_ : targetOffset_);
        const std::size_t saved = savedBy(back + length, encodeOffset(delta));
        if (saved > best.saved)
            best = Copy{action, start, back, back + length, saved};
    }

    void emitCopy(const Copy& copy) {
        at_ -= copy.back;
        flushLiteral(at_);
        std::size_t& offset = copy.action == SourceCopy ? sourceOffset_ : targetOffset_;
        putNumber(out_, ((copy.length - 1) << 2) | copy.action);
        putNumber(out_, encodeOffset(static_cast<std::int64_t>(copy.from) -
                                     static_cast<std::int64_t>(offset)));
        offset = copy.from + copy.length;
        at_ += copy.length;
        literal_ = at_;
    }

    void emit(Action action, std::size_t length) {
        flushLiteral(at_);
        putNumber(out_, ((length - 1) << 2) | action);
        at_ += length;
        literal_ = at_;
    }

    // Writes the bytes [literal_, end) as one TargetRead.
    void flushLiteral(std::size_t end) {
        if (end <= literal_)
            return;
        putNumber(out_, ((end - literal_ - 1) << 2) | TargetRead);
        out_.insert(out_.end(), target_.begin() + static_cast<std::ptrdiff_t>(literal_),
                    target_.begin() + static_cast<std::ptrdiff_t>(end));
        literal_ = end;
    }

    std::span<const std::uint8_t> source_;
    std::span<const std::uint8_t> target_;
    WindowIndex sourceIndex_;
    WindowIndex targetIndex_;
    std::vector<std::uint8_t> out_;
    std::size_t at_ = 0;      // the target offset reached
    std::size_t literal_ = 0; // where the pending TargetRead starts (at_ when none is pending)
    std::size_t sourceOffset_ = 0;
    std::size_t targetOffset_ = 0;
};

} // namespace

std::vector<std::uint8_t> makeBpsPatch(std::span<const std::uint8_t> source,
                                       std::span<const std::uint8_t> target) {
    // The indexes keep offsets in 32 bits.
    constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max() - 1;
    if (source.size() > limit || target.size() > limit)
        throw PatchError("A BPS patch of this program cannot describe an image over 4 GiB.");
    return BpsWriter(source, target).write();
}

} // namespace kvx
